// Announcing a changing value at a pace a listener can follow: at most one announcement per
// interval, and the last change never lost. Times are milliseconds of any steady clock.
#pragma once

#include <cstdint>

namespace vp {

class ChangeThrottle {
public:
    explicit ChangeThrottle(std::uint64_t intervalMs) : interval_(intervalMs) {}

    // A change at `now`: true when it is announced now, false when it waits (pending).
    bool changed(std::uint64_t now) {
        if (announced_ && now - last_ < interval_) {
            pending_ = true;
            return false;
        }
        announce(now);
        return true;
    }
    // Asked again later (a timer): true when the waiting change is announced now.
    bool due(std::uint64_t now) {
        if (!pending_ || now - last_ < interval_) {
            return false;
        }
        announce(now);
        return true;
    }
    bool pending() const { return pending_; }
    // How long a waiting change still waits at `now`.
    std::uint64_t wait(std::uint64_t now) const {
        return now - last_ >= interval_ ? 0 : interval_ - (now - last_);
    }

private:
    void announce(std::uint64_t now) {
        announced_ = true;
        pending_ = false;
        last_ = now;
    }

    std::uint64_t interval_;
    std::uint64_t last_ = 0;
    bool announced_ = false;
    bool pending_ = false;
};

} // namespace vp
