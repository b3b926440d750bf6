// A registry that passes every call on and writes into a journal each value deleted, or kept
// when the registry refused (a value that was not there is no item), named by its key's full
// path and its name. It remembers the path of each key opened through it.
#pragma once

#include "platform/Registry.h"
#include "platform/record/ItemJournal.h"

#include <string>
#include <unordered_map>

namespace vp {
class NarrowText;
}

namespace vp::record {

class RecordingRegistry final : public Registry {
public:
    RecordingRegistry(Registry& inner, const NarrowText& narrowText, ItemJournal& journal)
        : inner_(inner), narrowText_(narrowText), journal_(journal) {}

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override;
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        return inner_.queryValue(key, name, type, data, size);
    }
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;
    long enumKey(RegHandle key, std::uint32_t index, std::string& name) override {
        return inner_.enumKey(key, index, name);
    }
    long enumValue(RegHandle key, std::uint32_t index, std::string& name) override {
        return inner_.enumValue(key, index, name);
    }
    // A key deleted (with its values, which are not named) is one item, named by its path.
    long deleteKey(RegHandle key, std::string_view name) override;

private:
    std::string pathOf(RegHandle key) const;

    Registry& inner_;
    const NarrowText& narrowText_;
    ItemJournal& journal_;
    std::unordered_map<RegHandle, std::string> paths_; // open keys, in the system's code page
};

} // namespace vp::record
