#include "rules/RegistryRoots.h"

#include <array>

namespace vp::rules {
namespace {

constexpr std::array<std::uint32_t, 1> UserView = {0};
constexpr std::array<std::uint32_t, 2> BothViews = {Wow64View64, Wow64View32};

} // namespace

RegHandle hiveHandle(Hive hive) {
    switch (hive) {
    case Hive::ClassesRoot:
        return 0x80000000u;
    case Hive::CurrentUser:
        return CurrentUserHive;
    case Hive::LocalMachine:
        return 0x80000002u;
    case Hive::Users:
        return 0x80000003u;
    case Hive::CurrentConfig:
        return 0x80000005u;
    }
    return CurrentUserHive;
}

std::span<const std::uint32_t> registryViews(Hive hive) {
    if (hive == Hive::CurrentUser || hive == Hive::Users) {
        return UserView;
    }
    return BothViews;
}

} // namespace vp::rules
