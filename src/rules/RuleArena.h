// Where a RuleSet keeps its keys and the few texts the reader had to rewrite: one growing
// buffer that never moves what it holds, so that the spans and views handed out stay valid
// for the RuleSet's whole life, and a 4,000-entry file costs a handful of allocations.
#pragma once

#include <cstring>
#include <memory_resource>
#include <span>
#include <string_view>
#include <type_traits>

namespace vp::rules {

class RuleArena {
public:
    explicit RuleArena(std::size_t firstBlock) : resource_(firstBlock) {}
    RuleArena(const RuleArena&) = delete;
    RuleArena& operator=(const RuleArena&) = delete;

    template <class T> std::span<const T> keep(std::span<const T> items) {
        static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>);
        if (items.empty()) {
            return {};
        }
        void* memory = resource_.allocate(items.size_bytes(), alignof(T));
        std::memcpy(memory, items.data(), items.size_bytes());
        return {static_cast<const T*>(memory), items.size()};
    }

    std::string_view keep(std::string_view text) {
        if (text.empty()) {
            return {};
        }
        void* memory = resource_.allocate(text.size(), 1);
        std::memcpy(memory, text.data(), text.size());
        return {static_cast<const char*>(memory), text.size()};
    }

private:
    std::pmr::monotonic_buffer_resource resource_;
};

} // namespace vp::rules
