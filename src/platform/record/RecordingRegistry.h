// A registry that passes every call on and writes into a journal each value deleted, or kept
// when the registry refused (a value that was not there is no item), named by its key's full
// path and its name. It remembers the path of each key opened through it.
#pragma once

#include "platform/ForwardingRegistry.h"
#include "platform/record/ItemJournal.h"

#include <string>
#include <unordered_map>

namespace vp {
class NarrowText;
}

namespace vp::record {

class RecordingRegistry final : public ForwardingRegistry {
public:
    RecordingRegistry(Registry& inner, const NarrowText& narrowText, ItemJournal& journal)
        : ForwardingRegistry(inner), narrowText_(narrowText), journal_(journal) {}

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override;
    long deleteValue(RegHandle key, std::string_view name) override;
    long closeKey(RegHandle key) override;
    // A key deleted (with its values, which are not named) is one item, named by its path.
    long deleteKey(RegHandle key, std::string_view name) override;

private:
    std::string pathOf(RegHandle key) const;
    // Journals a deletion as the registry answered it (`status`): the item at `path`, and the
    // value's name for a value. Something that was not there is no item.
    void journal(ItemKind kind, long status, const std::string& path, std::string_view value);

    const NarrowText& narrowText_;
    ItemJournal& journal_;
    std::unordered_map<RegHandle, std::string> paths_; // open keys, in the system's code page
};

} // namespace vp::record
