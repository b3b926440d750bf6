// The contract suites on the Win32 platform (under Wine in the suites).
#include "Win32UnderTest.h"
#include "platform/contract/FileSystemContract.h"
#include "platform/contract/RegistryContract.h"
#include "platform/contract/ShellContract.h"

namespace vp::contract {
namespace {

struct PlatformName {
    template <class P> static std::string GetName(int /*index*/) { return "Win32"; }
};

using Platforms = ::testing::Types<Win32UnderTest>;
INSTANTIATE_TYPED_TEST_SUITE_P(Contract, FileSystemContract, Platforms, PlatformName);
INSTANTIATE_TYPED_TEST_SUITE_P(Contract, RegistryContract, Platforms, PlatformName);
INSTANTIATE_TYPED_TEST_SUITE_P(Contract, ShellContract, Platforms, PlatformName);

} // namespace
} // namespace vp::contract
