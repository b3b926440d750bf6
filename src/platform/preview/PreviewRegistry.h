// The registry of a preview: keys are opened and values read on the real registry; a value
// deleted is only recorded, after asking the registry whether the deletion would succeed (the
// value is there and the key was opened with the right to change it), and reads as missing.
// A key deleted likewise: it opens and lists as missing from then on.
#pragma once

#include "platform/ForwardingRegistry.h"

#include <string>
#include <unordered_map>
#include <unordered_set>

namespace vp::preview {

class PreviewRegistry final : public ForwardingRegistry {
public:
    explicit PreviewRegistry(Registry& inner) : ForwardingRegistry(inner) {}

    std::size_t valuesDeleted() const { return deleted_.size(); }
    std::size_t keysDeleted() const { return deletedKeys_.size(); }

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override;
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override;
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;
    long enumKey(RegHandle key, std::uint32_t index, std::string& name) override;
    long enumValue(RegHandle key, std::uint32_t index, std::string& name) override;
    long deleteKey(RegHandle key, std::string_view name) override;

private:
    struct OpenedKey {
        std::string path; // hive and path, folded
        std::uint32_t access = 0;
    };
    std::string valueKey(RegHandle key, std::string_view name) const;
    std::string subkeyPath(RegHandle key, std::string_view name) const;
    // The key at that folded path, or one above it, was deleted.
    bool keyGone(std::string_view path) const;

    std::unordered_map<RegHandle, OpenedKey> opened_;
    std::unordered_set<std::string> deleted_;     // folded key path, a zero byte, folded name
    std::unordered_set<std::string> deletedKeys_; // folded key paths
};

} // namespace vp::preview
