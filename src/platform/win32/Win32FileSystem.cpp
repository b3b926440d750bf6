// Win32 file service: opens folders and replaces whole files; the changes inside a folder are
// Win32Folder's. Holds no cleaning logic and never acts through a link.
#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Win32Folder.h"
#include "platform/win32/Win32NtFiles.h"
#include "platform/win32/Win32Paths.h"

#include <windows.h>

#include <algorithm>

namespace vp::win32 {
namespace {

// Writes all of `bytes` to the open file and flushes it to the disk.
bool writeAll(HANDLE file, std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const DWORD chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 20));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) || done != chunk) {
            return false;
        }
        offset += done;
    }
    return FlushFileBuffers(file) != FALSE;
}

// A short name of its own for the new content, so that a target name near the length limit
// still leaves room for it.
std::wstring temporaryName(unsigned attempt) {
    static unsigned counter = 0;
    const unsigned long long seed = (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
                                    GetTickCount64() ^ (++counter * 0x9E3779B97F4A7C15ull) ^
                                    attempt;
    wchar_t name[24];
    wsprintfW(name, L"~vp%08lx.tmp", static_cast<unsigned long>(seed ^ (seed >> 29)));
    return name;
}

// Rewrites the existing, checked target in place: the way left where no new file can be made.
bool rewriteInPlace(Win32Folder& folder, const std::wstring& name, std::string_view bytes) {
    bool missing = false;
    HANDLE file = folder.openCheckedFile(name, GENERIC_WRITE, missing);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    const bool written = nt::succeeded(nt::truncate(file)) && writeAll(file, bytes);
    CloseHandle(file);
    return written;
}

} // namespace

std::unique_ptr<Folder> Win32FileSystem::openFolder(std::string_view path) {
    return Win32Folder::open(extendedPath(path));
}

std::optional<std::uint32_t> Win32FileSystem::attributes(std::string_view path) {
    const std::wstring wide = extendedPath(path);
    const DWORD attributes =
        wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    return attributes;
}

bool Win32FileSystem::replaceFileContents(std::string_view path, std::string_view bytes) {
    const std::wstring target = extendedPath(path);
    const std::size_t cut = target.find_last_of(L'\\');
    if (target.empty() || cut == std::wstring::npos || cut + 1 == target.size() || path.empty() ||
        path.back() == '\\') {
        return false;
    }
    const auto folder = Win32Folder::open(target.substr(0, cut + 1));
    if (!folder) {
        return false;
    }
    std::wstring name = target.substr(cut + 1);
    // An existing target must be a plain, writable file of this folder: a read-only file, a
    // folder or a link there is refused with nothing written.
    if (const std::wstring stored = folder->storedName(name); !stored.empty()) {
        name = stored;
        bool missing = false;
        HANDLE existing = folder->openCheckedFile(name, FILE_READ_ATTRIBUTES, missing);
        if (existing == INVALID_HANDLE_VALUE && !missing) {
            return false;
        }
        if (existing != INVALID_HANDLE_VALUE) {
            CloseHandle(existing);
        }
    }
    // The new content goes into a file created new (never an existing name, never through a
    // link), and takes the target's place through its own handle once it is written.
    HANDLE file = INVALID_HANDLE_VALUE;
    nt::Status status = nt::ObjectNameCollision;
    for (unsigned attempt = 0; attempt < 16 && status == nt::ObjectNameCollision; ++attempt) {
        status =
            nt::openRelative(folder->handle(), temporaryName(attempt), GENERIC_WRITE | DELETE, 0,
                             nt::CreateNew, nt::NonDirectoryOnly | nt::OpenReparsePoint, file);
    }
    if (!nt::succeeded(status)) {
        return status == nt::AccessDenied && rewriteInPlace(*folder, name, bytes);
    }
    const bool placed =
        writeAll(file, bytes) && nt::succeeded(nt::renameInto(file, folder->handle(), name));
    if (!placed) {
        nt::markForDeletion(file);
    }
    CloseHandle(file);
    return placed;
}

} // namespace vp::win32
