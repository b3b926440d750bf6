// The Win32 platform under the contract suites: a scratch folder and a registry key of its own
// per test, seeded through the system's own calls. Run in a scratch Wine prefix
// (tests/wine/contract.sh). The key goes at the test's end; the folder, which may hold links
// that a removal could follow, is left to go with the prefix.
#pragma once

#include "platform/contract/PlatformUnderTest.h"
#include "platform/win32/Win32Handle.h"
#include "platform/win32/Win32Platform.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp::contract {

class Win32UnderTest {
public:
    static constexpr bool writesFiles = true;

    Win32UnderTest();
    ~Win32UnderTest();
    Win32UnderTest(const Win32UnderTest&) = delete;
    Win32UnderTest& operator=(const Win32UnderTest&) = delete;

    Platform bundle() { return platform_.bundle(); }
    std::string root() const { return root_; }
    void makeFile(const std::string& path, const FileSeed& seed);
    void makeFolder(const std::string& path);
    void setAttributes(const std::string& path, std::uint32_t attributes);
    bool makeFolderLink(const std::string& path, const std::string& target);
    bool makeFileLink(const std::string& path, const std::string& target);
    std::optional<std::string> contents(const std::string& path) const;
    std::string registryKey() const { return key_; }
    void makeKey(const std::string& path);
    void setValue(const std::string& key, const std::string& name, std::uint32_t type,
                  std::string_view bytes);
    bool recycle(std::string_view bytes);

private:
    win32::Win32Platform platform_;
    std::string root_;
    std::string key_;
    std::vector<win32::OwnedHandle> held_; // files held open until the test ends
};

static_assert(PlatformUnderTest<Win32UnderTest>);

} // namespace vp::contract
