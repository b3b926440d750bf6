// The saved properties of a hosted control: named entries in the order they were written.
// A read falls back to the default the reader names; a write leaves out a value equal to the
// default the writer names, so only what differs from the defaults is kept.
#pragma once

#include "platform/Windowing.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace vp {

class Bitmap;

// An entry's value: nothing (no picture, no default), a Long, a Boolean, a font or a picture.
using PropertyValue =
    std::variant<std::monostate, std::int32_t, bool, FontSpec, std::shared_ptr<const Bitmap>>;

class PropertyBag {
public:
    PropertyValue ReadProperty(std::string_view name, const PropertyValue& defaultValue) const;
    // Replaces the entry of that name, or removes it when `value` equals `defaultValue`. A new
    // entry goes to the end.
    void WriteProperty(std::string_view name, PropertyValue value,
                       const PropertyValue& defaultValue);

    bool contains(std::string_view name) const;
    const std::vector<std::pair<std::string, PropertyValue>>& entries() const { return entries_; }

private:
    std::vector<std::pair<std::string, PropertyValue>> entries_;
};

} // namespace vp
