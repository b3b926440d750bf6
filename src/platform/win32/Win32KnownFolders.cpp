// Win32 known folders on SHGetKnownFolderPath; no folder path is ever written here.
#include "platform/win32/Win32KnownFolders.h"

#include "platform/win32/Win32NarrowText.h"

#include <windows.h>
// The folder identifiers are defined here (selectany), so no import library is needed for them.
#include <initguid.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

namespace vp::win32 {
namespace {

std::optional<std::string> shellFolder(const KNOWNFOLDERID& id) {
    PWSTR path = nullptr;
    // Not verified: whether the folder exists is for the caller to find out, and verifying a
    // redirected folder may reach the network.
    const HRESULT result = SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY, nullptr, &path);
    std::optional<std::string> found;
    if (SUCCEEDED(result) && path != nullptr && path[0] != L'\0') {
        found = narrowUtf8(path);
    }
    CoTaskMemFree(path);
    return found;
}

// A value of the system's own (64-bit) view of the key where Windows records its program
// folders. A 32-bit program on a 64-bit Windows sees its redirected folders through the shell
// (and FOLDERID_ProgramFilesX64 is refused to it); this view gives the real ones. On a 32-bit
// Windows the view flag is ignored and the only folder comes back.
std::optional<std::string> systemViewValue(const wchar_t* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    std::vector<wchar_t> buffer(MAX_PATH + 1);
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        // REG_SZ only: an expandable string comes back expanded, as REG_SZ, while asking
        // for REG_EXPAND_SZ without RRF_NOEXPAND is refused as an invalid parameter.
        const LSTATUS status =
            RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes);
        if (status == ERROR_MORE_DATA) {
            buffer.resize(bytes / sizeof(wchar_t) + 1);
            continue;
        }
        if (status == ERROR_SUCCESS && bytes >= sizeof(wchar_t) && buffer[0] != L'\0') {
            found = narrowUtf8(std::wstring_view(buffer.data()));
        }
        break;
    }
    RegCloseKey(key);
    return found;
}

std::optional<std::string> systemProgramFolder(const KNOWNFOLDERID& x64, const wchar_t* value,
                                               const KNOWNFOLDERID& own) {
    if (auto found = shellFolder(x64)) {
        return found;
    }
    if (auto found = systemViewValue(value)) {
        return found;
    }
    return shellFolder(own);
}

} // namespace

std::optional<std::string> Win32KnownFolders::systemViewProgramFolder(bool commonFiles) {
    return systemViewValue(commonFiles ? L"CommonFilesDir" : L"ProgramFilesDir");
}

std::optional<std::string> Win32KnownFolders::path(KnownFolder folder) {
    switch (folder) {
    case KnownFolder::RoamingAppData:
        return shellFolder(FOLDERID_RoamingAppData);
    case KnownFolder::LocalAppData:
        return shellFolder(FOLDERID_LocalAppData);
    case KnownFolder::LocalLowAppData:
        return shellFolder(FOLDERID_LocalAppDataLow);
    case KnownFolder::ProgramData:
        return shellFolder(FOLDERID_ProgramData);
    case KnownFolder::ProgramFiles:
        return systemProgramFolder(FOLDERID_ProgramFilesX64, L"ProgramFilesDir",
                                   FOLDERID_ProgramFiles);
    case KnownFolder::ProgramFilesX86:
        return shellFolder(FOLDERID_ProgramFilesX86);
    case KnownFolder::CommonProgramFiles:
        return systemProgramFolder(FOLDERID_ProgramFilesCommonX64, L"CommonFilesDir",
                                   FOLDERID_ProgramFilesCommon);
    case KnownFolder::CommonProgramFilesX86:
        return shellFolder(FOLDERID_ProgramFilesCommonX86);
    case KnownFolder::Documents:
        return shellFolder(FOLDERID_Documents);
    case KnownFolder::Music:
        return shellFolder(FOLDERID_Music);
    case KnownFolder::Pictures:
        return shellFolder(FOLDERID_Pictures);
    case KnownFolder::Videos:
        return shellFolder(FOLDERID_Videos);
    case KnownFolder::Desktop:
        return shellFolder(FOLDERID_Desktop);
    case KnownFolder::Public:
        return shellFolder(FOLDERID_Public);
    case KnownFolder::Profile:
        return shellFolder(FOLDERID_Profile);
    case KnownFolder::Windows:
        return shellFolder(FOLDERID_Windows);
    }
    return std::nullopt;
}

} // namespace vp::win32
