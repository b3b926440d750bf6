#include "platform/record/RecordingRegistry.h"

#include "platform/NarrowText.h"

namespace vp::record {
namespace {

std::string_view rootName(RegHandle hive) {
    switch (hive) {
    case 0x80000000u:
        return "HKEY_CLASSES_ROOT";
    case CurrentUserHive:
        return "HKEY_CURRENT_USER";
    case 0x80000002u:
        return "HKEY_LOCAL_MACHINE";
    case 0x80000003u:
        return "HKEY_USERS";
    case 0x80000005u:
        return "HKEY_CURRENT_CONFIG";
    default:
        return {};
    }
}

} // namespace

std::string RecordingRegistry::pathOf(RegHandle key) const {
    if (const auto found = paths_.find(key); found != paths_.end()) {
        return found->second;
    }
    return std::string(rootName(key));
}

long RecordingRegistry::openKey(RegHandle hive, std::string_view path, std::uint32_t options,
                                std::uint32_t access, RegHandle& key) {
    const long status = inner_.openKey(hive, path, options, access, key);
    if (status == RegStatus::Success) {
        std::string full = pathOf(hive);
        if (!path.empty()) {
            full += '\\';
            full += path;
        }
        paths_[key] = std::move(full);
    }
    return status;
}

long RecordingRegistry::deleteValue(RegHandle key, std::string_view name) {
    const long status = inner_.deleteValue(key, name);
    if (status != RegStatus::FileNotFound) {
        ItemRecord item;
        item.kind = ItemKind::RegistryValue;
        item.outcome = status == RegStatus::Success        ? Outcome::Done
                       : status == RegStatus::AccessDenied ? Outcome::AccessDenied
                                                           : Outcome::Failed;
        item.path = narrowText_.fromNarrow(pathOf(key));
        item.value = narrowText_.fromNarrow(name);
        journal_.add(std::move(item));
    }
    return status;
}

long RecordingRegistry::deleteKey(RegHandle key, std::string_view name) {
    const long status = inner_.deleteKey(key, name);
    if (status != RegStatus::FileNotFound) {
        ItemRecord item;
        item.kind = ItemKind::RegistryKey;
        item.outcome = status == RegStatus::Success        ? Outcome::Done
                       : status == RegStatus::AccessDenied ? Outcome::AccessDenied
                                                           : Outcome::Failed;
        item.path = narrowText_.fromNarrow(pathOf(key) + '\\' + std::string(name));
        journal_.add(std::move(item));
    }
    return status;
}

long RecordingRegistry::closeKey(RegHandle key) {
    paths_.erase(key);
    return inner_.closeKey(key);
}

} // namespace vp::record
