// Contract checks of the Win32 services; test driver only.
#include "ServiceChecks.h"

#include "Checks.h"
#include "FolderChecks.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Platform.h"
#include "registry/RegistryHelpers.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <cstring>

namespace vp::e2e {
namespace {

using testing::check;
using win32::extendedPath;

void checkPaths() {
    const std::pair<const char*, const wchar_t*> cases[] = {
        {R"(C:\a\b\)", LR"(\\?\C:\a\b)"},
        {"C:/a//b/./c/../d", LR"(\\?\C:\a\b\d)"},
        {R"(C:\)", LR"(\\?\C:\)"},
        {R"(C:\..\x)", LR"(\\?\C:\x)"},
        {R"(\\server\share\f)", LR"(\\?\UNC\server\share\f)"},
        {R"(\\?\C:\kept\name. )", LR"(\\?\C:\kept\name. )"},
        {"", L""},
    };
    for (const auto& [in, out] : cases) {
        check(extendedPath(in) == out, std::string("the extended form of ") + in,
              win32::narrowUtf8(extendedPath(in)));
    }
}

// What the registry and its helpers read and delete is the contract suite's
// (tests/platform/contract); here, what only the real registry can make.
void checkRegistry(Platform& platform) {
    const std::string key = R"(Software\Vexoma Pellora checks)";
    const std::wstring wideKey = win32::widen(key);
    const auto set = [&](const wchar_t* name, DWORD type, const std::wstring& text) {
        RegSetKeyValueW(HKEY_CURRENT_USER, wideKey.c_str(), name, type, text.c_str(),
                        static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    set(L"fits", REG_SZ, L"kept");
    // A key of a path made a link to another key (here the one above): never read or deleted
    // through.
    const std::wstring linkKey = wideKey + L"\\RunMRU";
    HKEY link = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, linkKey.c_str(), 0, nullptr,
                    REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE, KEY_ALL_ACCESS | KEY_CREATE_LINK,
                    nullptr, &link, nullptr);
    std::wstring target = L"\\Registry\\User\\";
    HANDLE token = nullptr;
    OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token);
    unsigned char user[256] = {};
    DWORD size8 = 0;
    GetTokenInformation(token, TokenUser, user, sizeof user, &size8);
    CloseHandle(token);
    LPWSTR sid = nullptr;
    ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user)->User.Sid, &sid);
    target += std::wstring(sid != nullptr ? sid : L"") + L"\\" + wideKey;
    LocalFree(sid);
    const bool made =
        link != nullptr &&
        RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK,
                       reinterpret_cast<const BYTE*>(target.data()),
                       static_cast<DWORD>(target.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
    RegCloseKey(link);
    DeleteRegValue(platform, CurrentUserHive, key + R"(\RunMRU)", "fits");
    check(made &&
              GetRegString(platform, CurrentUserHive, key + R"(\RunMRU)", "fits", "(d)") == "(d)" &&
              GetRegString(platform, CurrentUserHive, key, "fits", "") == "kept",
          "a registry link in a path is neither read nor deleted through");
}

// The temporary path itself is shown by the sweep suite, the user name by the window's.
void checkEnvironment(Environment& env) {
    SetEnvironmentVariableW(L"VP_TEXT", L"caf\u00E9 \u65E5");
    SetEnvironmentVariableW(L"VP_UNSET", nullptr);
    check(!env.variable("VP_UNSET") &&
              env.variable("VP_TEXT") == std::optional<std::string>("caf\xC3\xA9 \xE6\x97\xA5"),
          "an unset variable is none, one outside the code page comes back whole",
          env.variable("VP_TEXT").value_or("(unset)"));
    std::string small = "untouched";
    std::string whole(255, '\0');
    const std::uint32_t length = env.tempPath(255, whole);
    check(env.tempPath(5, small) == length + 1 && small == "untouched",
          "a short buffer for the temporary path gets the size needed and stays as it was",
          std::to_string(env.tempPath(5, small)) + " " + small);
}

// The cache listing shows the good blocks and ranges end to end; these are the refusals it
// relies on to never fault.
void checkMemory(Memory& memory) {
    const std::uintptr_t block = memory.allocate(100);
    if (!check(block != 0, "a block of 100 bytes is allocated")) {
        return;
    }
    memory.lock(block, 100);
    auto* bytes = reinterpret_cast<unsigned char*>(block);
    check(std::all_of(bytes, bytes + 100, [](unsigned char b) { return b == 0; }),
          "a fresh block is zeroed");
    const auto constant = reinterpret_cast<std::uintptr_t>("read only");
    check(memory.isBadReadPtr(0, 1) && memory.isBadWritePtr(0, 1) &&
              memory.isBadReadPtr(block, 1 << 20) && !memory.isBadReadPtr(constant, 4) &&
              memory.isBadWritePtr(constant, 4),
          "address 0 and a range past the block are bad; constant data is read-only");
    std::memset(bytes, 'x', 4096);
    check(!memory.isBadStringPtr(block, 4096) && memory.isBadStringPtr(block, 1 << 20),
          "a string good up to the limit is good, one running off its page is bad");
    memory.unlock(block, 100);
    memory.decommit(block, 100);
    check(memory.isBadReadPtr(block, 1) && memory.release(block),
          "a decommitted block is bad, and is released");
}

} // namespace

int checkServices(const std::string& folder) {
    win32::Win32Platform real;
    Platform platform = real.bundle();
    checkPaths();
    checkRegistry(platform);
    checkEnvironment(real.environment);
    checkMemory(real.memory);
    checkFolders(real.files, real.environment, folder);
    return testing::summary();
}

} // namespace vp::e2e
