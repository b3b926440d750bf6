// A windowing that hands every line added to one list box (the run log) to a callback as it
// is added, and otherwise is the windowing it wraps: how the console program prints the run
// log as the run writes it, without a second copy of the run.
#pragma once

#include "platform/Windowing.h"

#include <functional>
#include <string>

namespace vp::console {

class LineTapWindowing final : public Windowing {
public:
    using Tap = std::function<void(std::string_view line)>;
    LineTapWindowing(Windowing& inner, std::string listName, Tap tap)
        : inner_(inner), listName_(std::move(listName)), tap_(std::move(tap)) {}

    std::unique_ptr<MainWindow> createMainWindow(const WindowSpec& desc) override;

private:
    Windowing& inner_;
    std::string listName_;
    Tap tap_;
};

} // namespace vp::console
