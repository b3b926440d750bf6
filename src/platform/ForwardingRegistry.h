// A registry that passes every call on to another one: the base of the layers over a platform
// (a preview, a recording), which override only what they change.
#pragma once

#include "platform/Registry.h"

namespace vp {

class ForwardingRegistry : public Registry {
public:
    explicit ForwardingRegistry(Registry& inner) : inner_(inner) {}

    long openKey(RegHandle hive, std::string_view path, std::uint32_t options, std::uint32_t access,
                 RegHandle& key) override {
        return inner_.openKey(hive, path, options, access, key);
    }
    long queryValue(RegHandle key, std::string_view name, std::uint32_t& type, unsigned char* data,
                    std::uint32_t& size) override {
        return inner_.queryValue(key, name, type, data, size);
    }
    long deleteValue(RegHandle key, std::string_view name) override {
        return inner_.deleteValue(key, name);
    }
    long closeKey(RegHandle key) override { return inner_.closeKey(key); }
    long enumKey(RegHandle key, std::uint32_t index, std::string& name) override {
        return inner_.enumKey(key, index, name);
    }
    long enumValue(RegHandle key, std::uint32_t index, std::string& name) override {
        return inner_.enumValue(key, index, name);
    }
    long deleteKey(RegHandle key, std::string_view name) override {
        return inner_.deleteKey(key, name);
    }

protected:
    Registry& inner() { return inner_; }

private:
    Registry& inner_;
};

} // namespace vp
