// Win32 Internet cache service on wininet's narrow calls; entry names stay in the ANSI code
// page here, as the cache itself keeps them.
#include "platform/win32/Win32InternetCache.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <shlobj.h>
#include <wininet.h>

#include <string>
#include <vector>

namespace vp::win32 {
namespace {

auto* entryBuffer(std::uintptr_t buffer) {
    return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer);
}

// The size a size query reports: what the entry needs, or 0 when there is none (or the
// query failed for any other reason).
std::int32_t neededSize(DWORD size) {
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER ? static_cast<std::int32_t>(size) : 0;
}

} // namespace

namespace {

// wininet keeps an index file in each of its three containers: the content cache, the cookies
// and the history; it writes all three the first time it is searched, and keeps them mapped.
std::vector<std::wstring> indexFiles() {
    const struct {
        int folder;
        const wchar_t* index;
    } containers[] = {{CSIDL_INTERNET_CACHE, L"\\Content.IE5\\index.dat"},
                      {CSIDL_COOKIES, L"\\index.dat"},
                      {CSIDL_HISTORY, L"\\History.IE5\\index.dat"}};
    std::vector<std::wstring> found;
    for (const auto& container : containers) {
        wchar_t folder[MAX_PATH] = {};
        if (SHGetFolderPathW(nullptr, container.folder, nullptr, SHGFP_TYPE_CURRENT, folder) !=
            S_OK) {
            continue;
        }
        std::wstring index = std::wstring(folder) + container.index;
        if (GetFileAttributesW(index.c_str()) != INVALID_FILE_ATTRIBUTES) {
            found.push_back(std::move(index));
        }
    }
    return found;
}

} // namespace

bool Win32InternetCache::storeExists() {
    return !indexFiles().empty();
}

std::vector<std::string> Win32InternetCache::storeFiles() {
    std::vector<std::string> paths;
    for (const std::wstring& index : indexFiles()) {
        paths.push_back(narrowUtf8(index));
    }
    return paths;
}

CacheSearchHandle Win32InternetCache::findFirstEntry(std::uintptr_t buffer, std::int32_t& size) {
    DWORD bytes = size > 0 ? static_cast<DWORD>(size) : 0;
    if (buffer == 0) {
        bytes = 0;
        HANDLE search = FindFirstUrlCacheEntryA(nullptr, nullptr, &bytes);
        if (search != nullptr) { // an entry of no size: nothing to keep open
            FindCloseUrlCache(search);
            size = 0;
            return 0;
        }
        size = neededSize(bytes);
        return 0;
    }
    HANDLE search = FindFirstUrlCacheEntryA(nullptr, entryBuffer(buffer), &bytes);
    size = static_cast<std::int32_t>(bytes);
    return reinterpret_cast<CacheSearchHandle>(search);
}

bool Win32InternetCache::findNextEntry(CacheSearchHandle search, std::uintptr_t buffer,
                                       std::int32_t& size) {
    HANDLE handle = reinterpret_cast<HANDLE>(search);
    DWORD bytes = size > 0 ? static_cast<DWORD>(size) : 0;
    if (buffer == 0) {
        bytes = 0;
        if (FindNextUrlCacheEntryA(handle, nullptr, &bytes)) {
            size = 0;
            return false;
        }
        size = neededSize(bytes);
        return size > 0;
    }
    const bool found = FindNextUrlCacheEntryA(handle, entryBuffer(buffer), &bytes) != FALSE;
    size = static_cast<std::int32_t>(bytes);
    return found;
}

bool Win32InternetCache::findClose(CacheSearchHandle search) {
    if (search == 0) {
        return false;
    }
    return FindCloseUrlCache(reinterpret_cast<HANDLE>(search)) != FALSE;
}

std::optional<CacheEntryState> Win32InternetCache::inspectEntry(std::string_view sourceUrlName) {
    const std::string name(sourceUrlName);
    DWORD bytes = 0;
    if (GetUrlCacheEntryInfoA(name.c_str(), nullptr, &bytes) ||
        GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) {
        return std::nullopt;
    }
    // Aligned for the record at its start.
    std::vector<std::uint64_t> storage((bytes + sizeof(std::uint64_t) - 1) / sizeof(std::uint64_t));
    auto* info = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(storage.data());
    if (!GetUrlCacheEntryInfoA(name.c_str(), info, &bytes)) {
        return std::nullopt;
    }
    CacheEntryState state;
    state.size = (static_cast<std::uint64_t>(info->dwSizeHigh) << 32) | info->dwSizeLow;
    if (info->lpszLocalFileName != nullptr) {
        state.localFile = info->lpszLocalFileName;
    }
    return state;
}

bool Win32InternetCache::deleteEntry(std::string_view sourceUrlName) {
    const std::string name(sourceUrlName);
    return DeleteUrlCacheEntryA(name.c_str()) != FALSE;
}

} // namespace vp::win32
