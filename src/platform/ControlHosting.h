// What every control site does for the control it hosts: hand it the container's notices in
// their order (created, then its saved properties; paint and resize; saving; destroyed) and
// keep its saved properties. The sites differ only in their window and their surface.
#pragma once

#include "platform/PropertyBag.h"
#include "platform/Windowing.h"

namespace vp {

class ControlHosting {
public:
    PropertyBag& properties() { return properties_; }

    void host(HostedControl& control) {
        hosted_ = &control;
        control.Initialize();
        control.ReadProperties(properties_);
    }
    void unhost(HostedControl& control) {
        if (hosted_ == &control) {
            hosted_ = nullptr;
            control.Terminate();
        }
    }
    void paint() const {
        if (hosted_ != nullptr) {
            hosted_->Paint();
        }
    }
    void resized() const {
        if (hosted_ != nullptr) {
            hosted_->Resize();
        }
    }
    // The control writes its properties into a fresh store, which becomes the saved one.
    void saveProperties() {
        PropertyBag saved;
        if (hosted_ != nullptr) {
            hosted_->WriteProperties(saved);
        }
        properties_ = std::move(saved);
    }

private:
    PropertyBag properties_;
    HostedControl* hosted_ = nullptr;
};

} // namespace vp
