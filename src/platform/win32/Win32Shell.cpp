// Win32 shell service on shell32's wide calls (the program's text is Unicode; the narrow
// forms would turn a folder or address outside the ANSI code page into question marks).
#include "platform/win32/Win32Shell.h"

#include "platform/win32/Win32NarrowText.h"
#include "platform/win32/Win32WineLinks.h"

#include <windows.h>

#include <shellapi.h>

// Exported by shell32 (and in its import library) but declared by no header of MinGW-w64.
extern "C" HRESULT WINAPI SHUpdateRecycleBinIcon();

namespace vp::win32 {
namespace {

// A handle that names no window (a window already closed, or a stand-in window in a test
// driver) must not become the owner of the shell's progress or question windows.
HWND ownerWindow(std::uintptr_t owner) {
    HWND window = reinterpret_cast<HWND>(owner);
    return window != nullptr && IsWindow(window) ? window : nullptr;
}

// Empty text stands for a null argument.
const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// Wine keeps its recycle bin in the desktop's trash ($XDG_DATA_HOME/Trash, by default
// ~/.local/share/Trash) and its SHEmptyRecycleBin removes the trashed files but leaves the
// trashed folders. The folders in the trash's "files" folder are therefore what an emptying
// leaves; Wine's SHQueryRecycleBin counts each as an item of no bytes.
std::optional<RecycleBinContents> wineTrashFolders() {
    using DosName = LPWSTR(CDECL*)(LPCSTR);
    const auto toDos = reinterpret_cast<DosName>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos == nullptr) {
        return std::nullopt;
    }
    std::string trash;
    char value[2048];
    if (GetEnvironmentVariableA("XDG_DATA_HOME", value, sizeof value) - 1 < sizeof value - 1) {
        trash = std::string(value) + "/Trash/files";
    } else if (GetEnvironmentVariableA("HOME", value, sizeof value) - 1 < sizeof value - 1) {
        trash = std::string(value) + "/.local/share/Trash/files";
    } else {
        return std::nullopt;
    }
    LPWSTR dos = toDos(trash.c_str());
    if (dos == nullptr) {
        return std::nullopt;
    }
    const std::wstring pattern = std::wstring(dos) + L"\\*";
    HeapFree(GetProcessHeap(), 0, dos);
    RecycleBinContents left;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return left; // no trash yet: nothing to leave
    }
    do {
        const std::wstring_view name = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 && name != L"." &&
            name != L"..") {
            ++left.items;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return left;
}

} // namespace

std::optional<RecycleBinContents> Win32Shell::recycleBinLeftovers(std::string_view /*root*/) {
    // Windows removes everything an emptying is allowed to; what it is refused (an item in
    // use) cannot be told beforehand.
    return wine::running() ? wineTrashFolders() : RecycleBinContents{};
}

long Win32Shell::emptyRecycleBin(std::uintptr_t owner, std::string_view root, std::uint32_t flags) {
    const std::wstring wideRoot = widen(root);
    return SHEmptyRecycleBinW(ownerWindow(owner), orNull(wideRoot), flags);
}

std::optional<RecycleBinContents> Win32Shell::queryRecycleBin(std::string_view root) {
    const std::wstring wideRoot = widen(root);
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    if (FAILED(SHQueryRecycleBinW(orNull(wideRoot), &info))) {
        return std::nullopt;
    }
    return RecycleBinContents{static_cast<std::uint64_t>(info.i64NumItems),
                              static_cast<std::uint64_t>(info.i64Size)};
}

long Win32Shell::updateRecycleBinIcon() {
    return SHUpdateRecycleBinIcon();
}

std::intptr_t Win32Shell::execute(std::uintptr_t owner, std::string_view verb,
                                  std::string_view file, std::string_view parameters,
                                  std::string_view folder, int show) {
    const std::wstring wideVerb = widen(verb);
    const std::wstring wideFile = widen(file);
    const std::wstring wideParameters = widen(parameters);
    const std::wstring wideFolder = widen(folder);
    const HINSTANCE result = ShellExecuteW(ownerWindow(owner), orNull(wideVerb), wideFile.c_str(),
                                           orNull(wideParameters), orNull(wideFolder), show);
    return reinterpret_cast<std::intptr_t>(result);
}

} // namespace vp::win32
