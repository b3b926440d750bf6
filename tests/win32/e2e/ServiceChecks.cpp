// Contract checks of the Win32 services; test driver only.
#include "ServiceChecks.h"

#include "DriverText.h"
#include "platform/FileSystem.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32Paths.h"
#include "platform/win32/Win32Platform.h"
#include "registry/RegistryHelpers.h"

#include <windows.h>

#include <wininet.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace vp::e2e {
namespace {

// The program's own name for the hive; <windows.h> takes HKEY_CURRENT_USER for its macro.
constexpr RegHandle CurrentUser = 0x80000001u;

int failures = 0;
int checks = 0;

void check(bool passed, const std::string& what) {
    ++checks;
    if (!passed) {
        ++failures;
        printLine("FAILED: " + what);
    }
}

std::string show(const std::optional<std::vector<DirEntry>>& listing) {
    if (!listing) {
        return "(no listing)";
    }
    std::string out;
    for (const DirEntry& entry : *listing) {
        out += "[" + entry.name + "]";
    }
    return out;
}

std::vector<std::string> names(const std::optional<std::vector<DirEntry>>& listing) {
    std::vector<std::string> out;
    if (listing) {
        for (const DirEntry& entry : *listing) {
            out.push_back(entry.name);
        }
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::string narrowOf(const std::wstring& text) {
    return win32::narrowUtf8(text);
}

void checkPaths() {
    using win32::extendedPath;
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
        check(extendedPath(in) == out,
              std::string("extended path of ") + in + " is " + narrowOf(extendedPath(in)));
    }
}

void checkFiles(FileSystem& fs, const std::string& root) {
    const std::string dir = root + R"(\files)";
    fs.listFolder(root); // the folder must exist
    CreateDirectoryW(win32::extendedPath(dir).c_str(), nullptr);
    check(fs.listFolder(dir).has_value() && fs.listFolder(dir)->empty(),
          "an empty folder lists as empty: " + show(fs.listFolder(dir)));
    check(!fs.listFolder("").has_value(), "the empty path lists nothing");
    check(!fs.listFolder(dir + R"(\missing)").has_value(), "a missing folder lists nothing");

    const std::string plain = dir + R"(\plain.txt)";
    check(fs.replaceFileContents(plain, "first"), "a new file is written");
    check(fs.replaceFileContents(plain, "second, longer"), "a file is replaced");
    check(names(fs.listFolder(dir)) == std::vector<std::string>{"plain.txt"},
          "replacing leaves no helper file behind: " + show(fs.listFolder(dir)));
    check(!fs.listFolder(plain).has_value(), "a file does not list as a folder");
    check(!fs.deleteFile(dir), "deleteFile refuses a folder");

    check(fs.setAttributes(plain, FileAttribute::ReadOnly), "read-only can be set");
    check(!fs.deleteFile(plain) && fs.attributes(plain).has_value(),
          "a read-only file is not deleted");
    check(fs.setAttributes(plain, FileAttribute::Archive), "archive only can be set");
    check((fs.attributes(plain).value_or(0) & FileAttribute::ReadOnly) == 0,
          "archive only clears read-only");
    check(fs.deleteFile(plain) && !fs.attributes(plain).has_value(), "the file is deleted");
    check(!fs.deleteFile(plain), "a missing file cannot be deleted");

    // Names the ANSI code page cannot hold, and a path far beyond 260 characters.
    const std::string foreign = dir + "\\\xE6\x97\xA5\xE6\x9C\xAC-\xCE\xB1\xCE\xB2.txt";
    check(fs.replaceFileContents(foreign, "x"), "a file with a foreign name is written");
    check(names(fs.listFolder(dir)) ==
              std::vector<std::string>{"\xE6\x97\xA5\xE6\x9C\xAC-\xCE\xB1\xCE\xB2.txt"},
          "the foreign name lists as it is: " + show(fs.listFolder(dir)));
    check(fs.deleteFile(foreign), "the file with a foreign name is deleted");
    std::string deep = dir;
    for (int level = 0; level < 12; ++level) {
        deep += R"(\a-rather-long-folder-name-)" + std::to_string(level);
        CreateDirectoryW(win32::extendedPath(deep).c_str(), nullptr);
    }
    const std::string deepFile = deep + R"(\deep.txt)";
    check(deepFile.size() > 300 && fs.replaceFileContents(deepFile, "x") &&
              fs.attributes(deepFile).has_value(),
          "a file at " + std::to_string(deepFile.size()) + " characters is written");
    check(fs.deleteFile(deepFile) && !fs.attributes(deepFile).has_value(),
          "a file past 260 characters is deleted");
    check(!fs.removeFolder(dir + R"(\a-rather-long-folder-name-0)"),
          "a folder that still holds folders stays");

    // The scripting object's DeleteFile.
    const std::string pf = root + R"(\prefetch)";
    CreateDirectoryW(win32::extendedPath(pf).c_str(), nullptr);
    for (const char* name : {"a.log", "B.LOG", "c.txt", "hidden.log", "fa.dat", "fbb.dat"}) {
        fs.replaceFileContents(pf + "\\" + name, "x");
    }
    CreateDirectoryW(win32::extendedPath(pf + R"(\folder.log)").c_str(), nullptr);
    fs.setAttributes(pf + R"(\B.LOG)", FileAttribute::ReadOnly);
    fs.setAttributes(pf + R"(\hidden.log)", FileAttribute::Hidden);
    check(!fs.deleteMatchingFiles(pf + R"(\*.log)", false) &&
              fs.attributes(pf + R"(\B.LOG)").has_value(),
          "without force a read-only match stops the deletion: " + show(fs.listFolder(pf)));
    check(fs.deleteMatchingFiles(pf + R"(\*.log)", true), "with force every match goes");
    check(names(fs.listFolder(pf)) ==
              std::vector<std::string>{"c.txt", "fa.dat", "fbb.dat", "folder.log", "hidden.log"},
          "folders, hidden files and other names stay: " + show(fs.listFolder(pf)));
    check(fs.deleteMatchingFiles(pf + R"(\f?.dat)", true) &&
              names(fs.listFolder(pf)) ==
                  std::vector<std::string>{"c.txt", "fbb.dat", "folder.log", "hidden.log"},
          "? stands for one character: " + show(fs.listFolder(pf)));
    check(!fs.deleteMatchingFiles(pf + R"(\*.none)", true), "no match is a failure");
    check(!fs.deleteMatchingFiles(root + R"(\missing\*.*)", true), "a missing folder fails");
    check(fs.deleteMatchingFiles(pf + R"(\C.TXT)", true) && !fs.attributes(pf + R"(\c.txt)"),
          "a plain name is found without regard to case");
}

void checkRegistry(Platform& platform) {
    const std::string key = R"(Software\Vexoma Pellora checks)";
    HKEY opened = nullptr;
    RegCreateKeyExW(HKEY_CURRENT_USER, win32::widen(key).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &opened, nullptr);
    auto setString = [&](const wchar_t* name, const std::wstring& text, DWORD type = REG_SZ) {
        RegSetValueExW(opened, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    };
    setString(L"short", L"abc");
    setString(L"fits", std::wstring(127, L'x'));
    setString(L"long", std::wstring(128, L'y'));
    setString(L"latin", L"Z\u00F6e");
    setString(L"multi", std::wstring(L"one\0two\0", 8), REG_MULTI_SZ);
    const BYTE binary[] = {'A', 'B', 0, 'C'};
    RegSetValueExW(opened, L"binary", 0, REG_BINARY, binary, sizeof binary);
    RegCloseKey(opened);

    auto read = [&](std::string_view name) {
        return GetRegString(platform, CurrentUser, key, name, "(default)");
    };
    check(read("short") == "abc", "a short string reads whole: " + read("short"));
    check(read("fits") == std::string(127, 'x'), "127 characters read whole");
    check(read("long") == "(default)", "128 characters read as the default: " + read("long"));
    check(read("latin") == "Z\xC3\xB6"
                           "e",
          "text comes back from the ANSI code page");
    check(read("multi") == "one", "a multi-string reads as its first string: " + read("multi"));
    check(read("binary") == "AB", "binary data reads up to its zero byte: " + read("binary"));
    check(read("missing") == "(default)", "a missing value reads as the default");
    check(GetRegString(platform, CurrentUser, key + "\\", "short", "") == "abc",
          "a key path with a trailing backslash names the same key");
    check(GetRegString(platform, CurrentUser, key + R"(\none)", "short", "(d)") == "(d)",
          "a missing key reads as the default");

    // The caller's buffer is untouched when the data does not fit.
    RegHandle handle = 0;
    check(platform.registry.openKey(CurrentUser, key, 0, KEY_ALL_ACCESS, handle) == 0,
          "the key opens with full access");
    unsigned char buffer[16];
    std::memset(buffer, 0xAA, sizeof buffer);
    std::uint32_t type = REG_SZ;
    std::uint32_t size = 8;
    const long status = platform.registry.queryValue(handle, "fits", type, buffer, size);
    check(status == RegStatus::MoreData && std::count(buffer, buffer + 16, 0xAA) == 16,
          "more data than the buffer: status " + std::to_string(status) + ", buffer unused");
    platform.registry.closeKey(handle);

    DeleteRegValue(platform, CurrentUser, key, "short");
    check(read("short") == "(default)", "a deleted value is gone");
    DeleteRegValue(platform, CurrentUser, key, "never there");
    DeleteRegValue(platform, CurrentUser, key + R"(\none)", "short");
    check(read("fits") == std::string(127, 'x'), "deleting what is not there changes nothing");
    RegDeleteTreeW(HKEY_CURRENT_USER, win32::widen(key).c_str());
    RegDeleteKeyW(HKEY_CURRENT_USER, win32::widen(key).c_str());
}

void checkEnvironment(Environment& env, const std::string& root) {
    SetEnvironmentVariableW(L"VP_EMPTY", L"");
    SetEnvironmentVariableW(L"VP_TEXT", L"caf\u00E9 \u65E5");
    SetEnvironmentVariableW(L"VP_UNSET", nullptr);
    check(!env.variable("VP_UNSET").has_value(), "an unset variable is nullopt");
    check(env.variable("VP_EMPTY") == std::optional<std::string>(""), "an empty variable is \"\"");
    check(env.variable("VP_TEXT") == std::optional<std::string>("caf\xC3\xA9 \xE6\x97\xA5"),
          "a variable comes back whole: " + env.variable("VP_TEXT").value_or("(unset)"));

    const std::string temp = root + "\\t\xC3\xA9mp\\";
    CreateDirectoryW(win32::extendedPath(temp).c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", win32::widen(temp).c_str());
    std::string buffer(255, '\0');
    const std::uint32_t length = env.tempPath(255, buffer);
    check(length == temp.size() - 1 && buffer == temp,
          "the temporary path comes back in characters: " + std::to_string(length) + " " + buffer);
    std::string small = "untouched";
    check(env.tempPath(5, small) == length + 1 && small == "untouched",
          "a short buffer gets the size needed and stays as it was");
}

void checkMemory(Memory& memory) {
    const std::uintptr_t block = memory.allocate(100);
    check(block != 0, "a block of 100 bytes is allocated");
    if (block == 0) {
        return;
    }
    memory.lock(block, 100);
    auto* bytes = reinterpret_cast<unsigned char*>(block);
    check(std::all_of(bytes, bytes + 100, [](unsigned char b) { return b == 0; }),
          "a fresh block is zeroed");
    check(!memory.isBadReadPtr(block, 100) && !memory.isBadWritePtr(block, 100),
          "the block may be read and written");
    check(memory.isBadReadPtr(0, 1) && memory.isBadWritePtr(0, 1), "address 0 is bad");
    check(memory.isBadReadPtr(block, 1 << 20), "a range running past the block is bad");
    const char* constant = "read only";
    check(!memory.isBadReadPtr(reinterpret_cast<std::uintptr_t>(constant), 4) &&
              memory.isBadWritePtr(reinterpret_cast<std::uintptr_t>(constant), 4),
          "constant data may be read, not written");
    std::memcpy(bytes, "abc", 4);
    check(!memory.isBadStringPtr(block, 10), "a terminated string is good");
    std::memset(bytes, 'x', 4096);
    check(!memory.isBadStringPtr(block, 4096), "a string good up to the limit is good");
    check(memory.isBadStringPtr(block, 1 << 20), "a string running off its page is bad");
    memory.move(block + 1, block, 3);
    std::memcpy(bytes, "abcd", 4);
    memory.move(block + 1, block, 3);
    check(std::memcmp(bytes, "aabc", 4) == 0, "overlapping moves copy as if buffered");
    memory.unlock(block, 100);
    memory.decommit(block, 100);
    check(memory.isBadReadPtr(block, 1), "a decommitted block is bad");
    check(memory.release(block), "the block is released");
}

void checkCache(InternetCache& cache) {
    std::int32_t size = 0;
    cache.findFirstEntry(0, size);
    std::vector<std::string> listed;
    if (size > 0) {
        std::vector<unsigned char> buffer(static_cast<std::size_t>(size));
        const auto address = reinterpret_cast<std::uintptr_t>(buffer.data());
        CacheSearchHandle search = cache.findFirstEntry(address, size);
        while (search != 0) {
            listed.push_back(reinterpret_cast<const INTERNET_CACHE_ENTRY_INFOA*>(buffer.data())
                                 ->lpszSourceUrlName);
            size = 0;
            cache.findNextEntry(search, 0, size);
            if (size < 1) {
                break;
            }
            buffer.assign(static_cast<std::size_t>(size), 0);
            const auto next = reinterpret_cast<std::uintptr_t>(buffer.data());
            if (!cache.findNextEntry(search, next, size)) {
                break;
            }
        }
        cache.findClose(search);
    }
    std::string all;
    for (const auto& name : listed) {
        all += "[" + name + "]";
    }
    check(listed.size() == 2, "both seeded cache entries are listed: " + all);
    check(!cache.deleteEntry("http://never.example/"), "an unknown entry is not deleted");
    for (const auto& name : listed) {
        check(cache.deleteEntry(name), "a listed entry is deleted: " + name);
    }
    size = 0;
    cache.findFirstEntry(0, size);
    check(size < 1, "the cache is empty afterwards: size " + std::to_string(size));
}

} // namespace

int checkServices(const std::string& folder) {
    win32::Win32Platform real;
    sim::SimWindowing windowing;
    sim::SimGraphics graphics;
    Platform platform{real.registry,      real.files,      real.environment, real.shell,
                      real.internetCache, real.urlHistory, real.memory,      windowing,
                      graphics,           real.narrowText};
    checkPaths();
    checkFiles(real.files, folder);
    checkRegistry(platform);
    checkEnvironment(real.environment, folder);
    checkMemory(real.memory);
    checkCache(real.internetCache);
    printLine("url history cleared: " + std::string(real.urlHistory.clearHistory() ? "yes" : "no"));
    printLine(std::to_string(checks - failures) + " of " + std::to_string(checks) +
              " service checks passed");
    return failures == 0 ? 0 : 1;
}

} // namespace vp::e2e
