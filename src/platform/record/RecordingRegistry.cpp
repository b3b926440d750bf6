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
    const long status = inner().openKey(hive, path, options, access, key);
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

void RecordingRegistry::journal(ItemKind kind, long status, const std::string& path,
                                std::string_view value) {
    if (status == RegStatus::FileNotFound) {
        return;
    }
    ItemRecord item;
    item.kind = kind;
    item.outcome = status == RegStatus::Success        ? Outcome::Done
                   : status == RegStatus::AccessDenied ? Outcome::AccessDenied
                                                       : Outcome::Failed;
    item.path = narrowText_.fromNarrow(path);
    item.value = narrowText_.fromNarrow(value);
    journal_.add(std::move(item));
}

long RecordingRegistry::deleteValue(RegHandle key, std::string_view name) {
    const long status = inner().deleteValue(key, name);
    journal(ItemKind::RegistryValue, status, pathOf(key), name);
    return status;
}

long RecordingRegistry::deleteKey(RegHandle key, std::string_view name) {
    const long status = inner().deleteKey(key, name);
    journal(ItemKind::RegistryKey, status, pathOf(key) + '\\' + std::string(name), {});
    return status;
}

long RecordingRegistry::closeKey(RegHandle key) {
    paths_.erase(key);
    return inner().closeKey(key);
}

} // namespace vp::record
