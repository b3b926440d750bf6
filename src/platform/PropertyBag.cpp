#include "platform/PropertyBag.h"

#include <algorithm>

namespace vp {

PropertyValue PropertyBag::ReadProperty(std::string_view name,
                                        const PropertyValue& defaultValue) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const auto& entry) { return entry.first == name; });
    return found == entries_.end() ? defaultValue : found->second;
}

void PropertyBag::WriteProperty(std::string_view name, PropertyValue value,
                                const PropertyValue& defaultValue) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const auto& entry) { return entry.first == name; });
    if (value == defaultValue) {
        if (found != entries_.end()) {
            entries_.erase(found);
        }
        return;
    }
    if (found != entries_.end()) {
        found->second = std::move(value);
    } else {
        entries_.emplace_back(std::string(name), std::move(value));
    }
}

bool PropertyBag::contains(std::string_view name) const {
    return std::any_of(entries_.begin(), entries_.end(),
                       [&](const auto& entry) { return entry.first == name; });
}

} // namespace vp
