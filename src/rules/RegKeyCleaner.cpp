// The walk keeps an explicit stack, as the file side does, so a registry tree of any depth
// cannot exhaust the call stack.
#include "rules/RegKeyCleaner.h"

#include "platform/NarrowText.h"
#include "platform/Registry.h"
#include "registry/RegistryHelpers.h"
#include "rules/RegistryRoots.h"

#include <string>
#include <vector>

namespace vp::rules {
namespace {

constexpr std::uint32_t KeyDelete = 0x10000u; // DELETE
constexpr std::uint32_t WalkAccess = KeyQueryValue | KeySetValue | KeyEnumerate | KeyDelete;

Outcome outcomeOf(long status) {
    switch (status) {
    case RegStatus::Success:
        return Outcome::Done;
    case RegStatus::FileNotFound:
        return Outcome::Vanished;
    case RegStatus::AccessDenied:
        return Outcome::AccessDenied;
    default:
        return Outcome::Failed;
    }
}

bool isLink(Registry& registry, RegHandle key) {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    return registry.queryValue(key, LinkValueName, type, nullptr, size) == RegStatus::Success &&
           type == LinkValueType;
}

// Every name a listing gives, taken whole before anything changes.
template <class Enumerate> std::vector<std::string> listAll(Enumerate enumerate) {
    std::vector<std::string> names;
    std::string name;
    for (std::uint32_t index = 0; enumerate(index, name) == RegStatus::Success; ++index) {
        names.push_back(name);
    }
    return names;
}

struct KeyFrame {
    RegHandle handle = 0;
    std::string subkey;                // UTF-8, below the hive
    std::vector<std::string> children; // narrow names
    std::size_t next = 0;
    bool left = false; // something stays in it: it cannot go
};

class KeyWalk {
public:
    KeyWalk(Registry& registry, const NarrowText& narrow, const RegKey& key,
            const Exclusions& exclusions, ItemTally& tally)
        : registry_(registry), narrow_(narrow), key_(key), exclusions_(exclusions), tally_(tally) {}

    void value() {
        const std::string path = registryText(key_.key) + '|' + std::string(key_.value);
        if (exclusions_.excludesRegistry(key_.key.hive, key_.key.subkey, key_.value, true)) {
            return;
        }
        RegHandle handle = 0;
        const long status = OpenKeyWithoutLinks(registry_, hiveHandle(key_.key.hive),
                                                narrow_.toNarrow(key_.key.subkey),
                                                KeyQueryValue | KeySetValue, handle);
        if (status != RegStatus::Success) {
            tally_.registryValue(path, outcomeOf(status));
            return;
        }
        tally_.registryValue(
            path, outcomeOf(registry_.deleteValue(handle, narrow_.toNarrow(key_.value))));
        registry_.closeKey(handle);
    }

    void wholeKey() {
        RegHandle root = 0;
        const long status =
            OpenKeyWithoutLinks(registry_, hiveHandle(key_.key.hive),
                                narrow_.toNarrow(key_.key.subkey), WalkAccess, root);
        if (status != RegStatus::Success) {
            tally_.registryKey(registryText(key_.key), outcomeOf(status));
            return;
        }
        std::vector<KeyFrame> stack;
        enter(stack, root, std::string(key_.key.subkey));
        bool rootEmptied = false;
        while (!stack.empty()) {
            KeyFrame& top = stack.back();
            if (top.next < top.children.size()) {
                const std::string& child = top.children[top.next++];
                std::string subkey = top.subkey + '\\' + narrow_.fromNarrow(child);
                RegHandle opened = 0;
                const long open =
                    registry_.openKey(top.handle, child, OpenLinkOption, WalkAccess, opened);
                if (open != RegStatus::Success) {
                    tally_.registryKey(text(subkey), outcomeOf(open));
                    top.left = top.left || open != RegStatus::FileNotFound;
                    continue;
                }
                if (isLink(registry_, opened)) {
                    registry_.closeKey(opened);
                    tally_.registryKey(text(subkey), Outcome::Link);
                    top.left = true;
                    continue;
                }
                enter(stack, opened, std::move(subkey));
                continue;
            }
            // Its subkeys are done; it goes with its parent's turn, when it holds nothing more.
            const bool emptied = !top.left;
            const std::string subkey = std::move(top.subkey);
            registry_.closeKey(top.handle);
            stack.pop_back();
            if (stack.empty()) {
                rootEmptied = emptied;
                break;
            }
            KeyFrame& parent = stack.back();
            if (!emptied) {
                parent.left = true;
                continue;
            }
            const std::string name = subkey.substr(subkey.rfind('\\') + 1);
            const long removed = registry_.deleteKey(parent.handle, narrow_.toNarrow(name));
            tally_.registryKey(text(subkey), outcomeOf(removed));
            parent.left = parent.left ||
                          (removed != RegStatus::Success && removed != RegStatus::FileNotFound);
        }
        if (rootEmptied) {
            removeRoot();
        }
    }

private:
    std::string text(std::string_view subkey) const {
        return registryText({key_.key.hive, subkey});
    }

    // Deletes the key's values (those not excluded) and pushes it with its subkeys.
    void enter(std::vector<KeyFrame>& stack, RegHandle handle, std::string subkey) {
        KeyFrame frame{handle, std::move(subkey), {}, 0, false};
        const auto values = listAll([&](std::uint32_t index, std::string& name) {
            return registry_.enumValue(handle, index, name);
        });
        for (const std::string& value : values) {
            const std::string utf8 = narrow_.fromNarrow(value);
            if (exclusions_.excludesRegistry(key_.key.hive, frame.subkey, utf8, true)) {
                frame.left = true;
                continue;
            }
            const long status = registry_.deleteValue(handle, value);
            tally_.registryValue(text(frame.subkey) + '|' + utf8, outcomeOf(status));
            frame.left =
                frame.left || (status != RegStatus::Success && status != RegStatus::FileNotFound);
        }
        frame.children = listAll([&](std::uint32_t index, std::string& name) {
            return registry_.enumKey(handle, index, name);
        });
        // A key holding an excluded key or value may lose what else it holds, never itself.
        if (exclusions_.excludesRegistry(key_.key.hive, frame.subkey, {}, false)) {
            frame.left = true;
        }
        stack.push_back(std::move(frame));
    }

    void removeRoot() {
        const std::string_view subkey = key_.key.subkey;
        const std::size_t cut = subkey.rfind('\\');
        RegHandle parent = hiveHandle(key_.key.hive);
        bool opened = false;
        if (cut != std::string_view::npos) {
            if (OpenKeyWithoutLinks(registry_, parent, narrow_.toNarrow(subkey.substr(0, cut)),
                                    KeyQueryValue | KeyEnumerate, parent) != RegStatus::Success) {
                tally_.registryKey(registryText(key_.key), Outcome::Failed);
                return;
            }
            opened = true;
        }
        const std::string_view name =
            cut == std::string_view::npos ? subkey : subkey.substr(cut + 1);
        tally_.registryKey(registryText(key_.key),
                           outcomeOf(registry_.deleteKey(parent, narrow_.toNarrow(name))));
        if (opened) {
            registry_.closeKey(parent);
        }
    }

    Registry& registry_;
    const NarrowText& narrow_;
    const RegKey& key_;
    const Exclusions& exclusions_;
    ItemTally& tally_;
};

} // namespace

std::string registryText(const RegistryPath& key) {
    std::string text(hiveShortName(key.hive));
    if (!key.subkey.empty()) {
        text += '\\';
        text += key.subkey;
    }
    return text;
}

void runRegKey(Registry& registry, const NarrowText& narrow, const RegKey& key,
               const Exclusions& exclusions, ItemTally& tally) {
    KeyWalk walk(registry, narrow, key, exclusions, tally);
    if (key.hasValue) {
        walk.value();
    } else {
        walk.wholeKey();
    }
}

} // namespace vp::rules
