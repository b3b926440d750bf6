// The registry service's contract (platform/Registry.h), as every platform keeps it: statuses
// of missing keys and values, the two-call query and its untouched buffer, deletions, the
// enumerations, keys deleted deepest first; and the registry helpers' reads on top of it (the
// longest string they read, multi-string and binary data), which every registry target uses.
#pragma once

#include "platform/Registry.h"
#include "platform/contract/PlatformUnderTest.h"
#include "registry/RegistryHelpers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <set>
#include <string>

namespace vp::contract {

inline constexpr std::uint32_t MultiStringType = 7; // REG_MULTI_SZ
inline constexpr std::uint32_t BinaryType = 3;      // REG_BINARY

template <PlatformUnderTest P> class RegistryContract : public ::testing::Test {
protected:
    ~RegistryContract() override {
        for (const RegHandle handle : opened_) {
            registry.closeKey(handle);
        }
    }

    std::string below(std::string_view name) const { return key + "\\" + std::string(name); }
    void setString(std::string_view name, std::string_view text) {
        platform.setValue(key, std::string(name), StringValueType, std::string(text) + '\0');
    }
    // The key at `path` under the current user's hive, open with `access` until the test ends;
    // 0 when it does not open.
    RegHandle open(const std::string& path, std::uint32_t access = KeyAllAccess) {
        RegHandle handle = 0;
        if (registry.openKey(CurrentUserHive, path, 0, access, handle) != RegStatus::Success) {
            return 0;
        }
        opened_.push_back(handle);
        return handle;
    }
    long opens(const std::string& path) {
        RegHandle handle = 0;
        const long status = registry.openKey(CurrentUserHive, path, 0, KeyQueryValue, handle);
        if (status == RegStatus::Success) {
            registry.closeKey(handle);
        }
        return status;
    }
    std::string read(const std::string& path, std::string_view name) {
        return GetRegString(services, CurrentUserHive, path, name, "(default)");
    }

    P platform;
    Platform services = platform.bundle();
    Registry& registry = services.registry;
    const std::string key = platform.registryKey();

private:
    std::vector<RegHandle> opened_;
};

TYPED_TEST_SUITE_P(RegistryContract);

TYPED_TEST_P(RegistryContract, MissingKeysAndValuesAreNotFound) {
    RegHandle handle = 0;
    EXPECT_EQ(
        this->registry.openKey(CurrentUserHive, this->below("missing"), 0, KeyAllAccess, handle),
        RegStatus::FileNotFound);
    const RegHandle open = this->open(this->key);
    ASSERT_NE(open, 0u);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(this->registry.queryValue(open, "missing", type, nullptr, size),
              RegStatus::FileNotFound);
    EXPECT_EQ(this->registry.deleteValue(open, "missing"), RegStatus::FileNotFound);
    EXPECT_EQ(this->registry.deleteKey(open, "missing"), RegStatus::FileNotFound);
}

TYPED_TEST_P(RegistryContract, AQueryAnswersTypeAndSizeAndLeavesAShortBufferUntouched) {
    this->setString("Name", "text");
    const RegHandle open = this->open(this->key, KeyQueryValue);
    ASSERT_NE(open, 0u);
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    EXPECT_EQ(this->registry.queryValue(open, "NAME", type, nullptr, size), RegStatus::Success)
        << "names without regard to case";
    EXPECT_EQ(type, StringValueType);
    EXPECT_EQ(size, 5u) << "the string with its zero byte";

    std::array<unsigned char, 8> buffer{};
    buffer.fill(0xAA);
    size = 4;
    EXPECT_EQ(this->registry.queryValue(open, "Name", type, buffer.data(), size),
              RegStatus::MoreData);
    EXPECT_TRUE(
        std::all_of(buffer.begin(), buffer.end(), [](unsigned char b) { return b == 0xAA; }));
    size = 5;
    EXPECT_EQ(this->registry.queryValue(open, "Name", type, buffer.data(), size),
              RegStatus::Success);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 5), std::string("text\0", 5));
    EXPECT_EQ(buffer[5], 0xAA) << "the rest of the buffer untouched";
}

TYPED_TEST_P(RegistryContract, TheHelpersReadWhatFitsTheirBuffer) {
    this->setString("fits", std::string(127, 'x'));
    this->setString("long", std::string(128, 'y'));
    this->platform.setValue(this->key, "multi", MultiStringType, std::string("one\0two\0\0", 9));
    this->platform.setValue(this->key, "binary", BinaryType, std::string("AB\0C", 4));
    EXPECT_EQ(this->read(this->key, "fits"), std::string(127, 'x'));
    EXPECT_EQ(this->read(this->key, "long"), "(default)") << "128 characters do not fit";
    EXPECT_EQ(this->read(this->key, "multi"), "one") << "a list reads as its first string";
    EXPECT_EQ(this->read(this->key, "binary"), "AB") << "bytes up to the first zero";
    EXPECT_EQ(this->read(this->key, "missing"), "(default)");
    EXPECT_EQ(this->read(this->key + "\\", "fits"), std::string(127, 'x'))
        << "a trailing backslash names the same key";
    EXPECT_EQ(this->read(this->below("none"), "fits"), "(default)");
}

TYPED_TEST_P(RegistryContract, ADeletedValueIsGoneAndNeedsTheRightToChange) {
    this->setString("kept", "1");
    this->setString("gone", "2");
    const RegHandle reading = this->open(this->key, KeyQueryValue);
    ASSERT_NE(reading, 0u);
    EXPECT_EQ(this->registry.deleteValue(reading, "kept"), RegStatus::AccessDenied);
    const RegHandle open = this->open(this->key);
    ASSERT_NE(open, 0u);
    EXPECT_EQ(this->registry.deleteValue(open, "GONE"), RegStatus::Success);
    EXPECT_EQ(this->registry.deleteValue(open, "gone"), RegStatus::FileNotFound);
    EXPECT_EQ(this->read(this->key, "gone"), "(default)");
    EXPECT_EQ(this->read(this->key, "kept"), "1");
    EXPECT_TRUE(DeleteRegValue(this->services, CurrentUserHive, this->key, "kept"));
    EXPECT_EQ(this->read(this->key, "kept"), "(default)");
}

TYPED_TEST_P(RegistryContract, EnumerationsNameEveryItemThenNoMoreItems) {
    for (const char* name : {"a", "b", "c"}) {
        this->platform.makeKey(this->below(name));
        this->setString(name, "v");
    }
    const RegHandle open = this->open(this->key);
    ASSERT_NE(open, 0u);
    const auto names = [&](auto enumerate) {
        std::set<std::string> seen;
        std::string name;
        std::uint32_t index = 0;
        long status = RegStatus::Success;
        while ((status = enumerate(index++, name)) == RegStatus::Success && index < 10) {
            seen.insert(name);
        }
        EXPECT_EQ(status, RegStatus::NoMoreItems);
        return seen;
    };
    const std::set<std::string> expected{"a", "b", "c"};
    EXPECT_EQ(
        names([&](std::uint32_t i, std::string& n) { return this->registry.enumKey(open, i, n); }),
        expected);
    EXPECT_EQ(names([&](std::uint32_t i, std::string& n) {
                  return this->registry.enumValue(open, i, n);
              }),
              expected);
}

TYPED_TEST_P(RegistryContract, KeysAreDeletedDeepestFirst) {
    this->platform.makeKey(this->below("parent\\child"));
    this->platform.setValue(this->below("parent"), "v", StringValueType, std::string("1\0", 2));
    const RegHandle open = this->open(this->key);
    ASSERT_NE(open, 0u);
    EXPECT_NE(this->registry.deleteKey(open, "parent"), RegStatus::Success)
        << "a key that has subkeys stays";
    EXPECT_EQ(this->opens(this->below("parent\\child")), RegStatus::Success);
    const RegHandle parent = this->open(this->below("parent"));
    ASSERT_NE(parent, 0u);
    EXPECT_EQ(this->registry.deleteKey(parent, "child"), RegStatus::Success);
    EXPECT_EQ(this->registry.deleteKey(open, "PARENT"), RegStatus::Success);
    EXPECT_EQ(this->opens(this->below("parent")), RegStatus::FileNotFound);
    std::string name;
    EXPECT_EQ(this->registry.enumKey(open, 0, name), RegStatus::NoMoreItems);
}

REGISTER_TYPED_TEST_SUITE_P(RegistryContract, MissingKeysAndValuesAreNotFound,
                            AQueryAnswersTypeAndSizeAndLeavesAShortBufferUntouched,
                            TheHelpersReadWhatFitsTheirBuffer,
                            ADeletedValueIsGoneAndNeedsTheRightToChange,
                            EnumerationsNameEveryItemThenNoMoreItems, KeysAreDeletedDeepestFirst);

} // namespace vp::contract
