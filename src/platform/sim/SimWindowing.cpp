// Simulated windowing: controls held in memory and a journal of what was done to the window.
#include "platform/sim/SimWindowing.h"

#include <stdexcept>

namespace vp::sim {

void SimListBox::clear() {
    items_.clear();
    listIndex_ = -1;
}

void SimListBox::addItem(std::string_view text) {
    items_.emplace_back(text);
}

void SimListBox::insertItem(int index, std::string_view text) {
    if (index < 0 || index > listCount()) {
        throw std::out_of_range("insertItem index");
    }
    items_.emplace(items_.begin() + index, text);
}

void SimListBox::removeItem(int index) {
    if (index < 0 || index >= listCount()) {
        throw std::out_of_range("removeItem index");
    }
    items_.erase(items_.begin() + index);
    if (listIndex_ >= listCount()) {
        listIndex_ = -1;
    }
}

std::string SimListBox::list(int index) const {
    if (index < 0 || index >= listCount()) {
        return {};
    }
    return items_[static_cast<std::size_t>(index)];
}

void SimListBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        throw std::out_of_range("setListIndex index");
    }
    listIndex_ = index;
}

namespace {
// Twips to pixels as MulDiv rounds: to the nearest, halves away from zero.
int twipsToPixels(int twips, int dpi) {
    return static_cast<int>((static_cast<long long>(twips) * dpi * 2 + 1440) / (2LL * 1440));
}
} // namespace

SimControlSite::SimControlSite(ControlSpec desc, int dpi)
    : SimControl(std::move(desc)), dpi_(dpi), width_(twipsToPixels(spec_.rect.width, dpi)),
      height_(twipsToPixels(spec_.rect.height, dpi)), screen_(width_, height_, ClassicSysColors()) {
}

void SimControlSite::resize(int widthPixels, int heightPixels) {
    spec_.rect.width = widthPixels * 1440 / dpi_;
    spec_.rect.height = heightPixels * 1440 / dpi_;
    width_ = widthPixels;
    height_ = heightPixels;
    screen_.resize(widthPixels, heightPixels);
    hosting_.resized();
}

void SimMainWindow::record(WindowEvent event) {
    journal_.push_back(std::move(event));
    if (onRecord) {
        onRecord(journal_.back());
    }
}

void SimMainWindow::setCaption(std::string_view text) {
    spec_.caption = std::string(text);
    record({WindowEvent::Kind::Caption, spec_.caption, {}, 0});
}

void SimMainWindow::setMousePointer(int pointer) {
    pointer_ = pointer;
    record({WindowEvent::Kind::MousePointer, {}, {}, pointer});
}

void SimMainWindow::doEvents() {
    record({WindowEvent::Kind::DoEvents, {}, {}, 0});
    auto waiting = std::move(pending_);
    pending_.clear();
    for (auto& event : waiting) {
        event();
    }
}

PixelRect SimMainWindow::clientRect() const {
    return {0, 0, spec_.clientWidthTwips / 15, spec_.clientHeightTwips / 15};
}

void SimMainWindow::setRoundRectRegion(PixelRect b, int ellipseWidth, int ellipseHeight) {
    record({WindowEvent::Kind::Region,
            std::to_string(b.left) + "," + std::to_string(b.top) + "," + std::to_string(b.right) +
                "," + std::to_string(b.bottom) + "," + std::to_string(ellipseWidth) + "," +
                std::to_string(ellipseHeight),
            {},
            ellipseWidth});
}

void SimMainWindow::minimize() {
    minimized_ = true;
    record({WindowEvent::Kind::Minimize, {}, {}, 0});
}

void SimMainWindow::close() {
    closed_ = true;
    record({WindowEvent::Kind::Close, {}, {}, 0});
}

int SimMainWindow::messageBox(std::string_view text, int style, std::string_view title) {
    record({WindowEvent::Kind::MessageBox, std::string(text), std::string(title), style});
    return 1;
}

std::optional<std::string> SimMainWindow::showSaveDialog(std::string_view filter) {
    std::optional<std::string> answer;
    if (!saveAnswers_.empty()) {
        answer = saveAnswers_.front();
        saveAnswers_.pop_front();
    }
    record({WindowEvent::Kind::SaveDialog, std::string(filter), answer.value_or(""), 0});
    return answer;
}

void SimMainWindow::mouseDown(int button, int shift, int x, int y) const {
    if (onMouseDown_) {
        onMouseDown_(button, shift, x, y);
    }
}

Control& SimMainWindow::createControl(const ControlSpec& desc) {
    controls_.push_back(std::make_unique<SimControl>(desc));
    return *controls_.back();
}

CheckBox& SimMainWindow::createCheckBox(const ControlSpec& desc) {
    auto box = std::make_unique<SimCheckBox>(desc);
    auto& ref = *box;
    controls_.push_back(std::move(box));
    return ref;
}

ListBox& SimMainWindow::createListBox(const ControlSpec& desc) {
    auto list = std::make_unique<SimListBox>(desc);
    auto& ref = *list;
    controls_.push_back(std::move(list));
    return ref;
}

ControlSite& SimMainWindow::createControlSite(const ControlSpec& desc) {
    auto site = std::make_unique<SimControlSite>(desc);
    auto& ref = *site;
    controls_.push_back(std::move(site));
    return ref;
}

SimControl* SimMainWindow::find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->name() == name) {
            return control.get();
        }
    }
    return nullptr;
}

void SimMainWindow::click(std::string_view name) const {
    SimControl* control = find(name);
    if (control == nullptr) {
        throw std::invalid_argument("no control named " + std::string(name));
    }
    control->click();
}

std::unique_ptr<MainWindow> SimWindowing::createMainWindow(const WindowSpec& desc) {
    auto window = std::make_unique<SimMainWindow>(desc);
    last_ = window.get();
    return window;
}

} // namespace vp::sim
