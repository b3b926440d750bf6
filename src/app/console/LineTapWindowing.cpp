#include "app/console/LineTapWindowing.h"

#include <memory>
#include <vector>

namespace vp::console {
namespace {

class TappedList final : public ListBox {
public:
    TappedList(ListBox& inner, const LineTapWindowing::Tap& tap) : inner_(inner), tap_(tap) {}

    const std::string& name() const override { return inner_.name(); }
    void setVisible(bool visible) override { inner_.setVisible(visible); }
    bool visible() const override { return inner_.visible(); }
    void setCaption(std::string_view text) override { inner_.setCaption(text); }
    std::string caption() const override { return inner_.caption(); }
    void onClick(std::function<void()> handler) override { inner_.onClick(std::move(handler)); }

    void clear() override { inner_.clear(); }
    void addItem(std::string_view text) override {
        inner_.addItem(text);
        tap_(text);
    }
    void insertItem(int index, std::string_view text) override { inner_.insertItem(index, text); }
    void removeItem(int index) override { inner_.removeItem(index); }
    int listCount() const override { return inner_.listCount(); }
    std::string list(int index) const override { return inner_.list(index); }
    int listIndex() const override { return inner_.listIndex(); }
    void setListIndex(int index) override { inner_.setListIndex(index); }

private:
    ListBox& inner_;
    const LineTapWindowing::Tap& tap_;
};

class TappedWindow final : public MainWindow {
public:
    TappedWindow(std::unique_ptr<MainWindow> inner, const std::string& listName,
                 const LineTapWindowing::Tap& tap)
        : inner_(std::move(inner)), listName_(listName), tap_(tap) {}

    std::uintptr_t hWnd() const override { return inner_->hWnd(); }
    void setCaption(std::string_view text) override { inner_->setCaption(text); }
    std::string caption() const override { return inner_->caption(); }
    void setMousePointer(int pointer) override { inner_->setMousePointer(pointer); }
    int mousePointer() const override { return inner_->mousePointer(); }
    void doEvents() override { inner_->doEvents(); }
    PixelRect clientRect() const override { return inner_->clientRect(); }
    void setRoundRectRegion(PixelRect bounds, int ellipseWidth, int ellipseHeight) override {
        inner_->setRoundRectRegion(bounds, ellipseWidth, ellipseHeight);
    }
    void beginDrag() override { inner_->beginDrag(); }
    void minimize() override { inner_->minimize(); }
    void close() override { inner_->close(); }
    int messageBox(std::string_view text, int style, std::string_view title) override {
        return inner_->messageBox(text, style, title);
    }
    std::optional<std::string> showSaveDialog(std::string_view filter) override {
        return inner_->showSaveDialog(filter);
    }
    void onMouseDown(std::function<void(int, int, int, int)> handler) override {
        inner_->onMouseDown(std::move(handler));
    }
    Control& createControl(const ControlSpec& desc) override { return inner_->createControl(desc); }
    CheckBox& createCheckBox(const ControlSpec& desc) override {
        return inner_->createCheckBox(desc);
    }
    ListBox& createListBox(const ControlSpec& desc) override {
        ListBox& list = inner_->createListBox(desc);
        if (desc.name != listName_) {
            return list;
        }
        tapped_.push_back(std::make_unique<TappedList>(list, tap_));
        return *tapped_.back();
    }
    ControlSite& createControlSite(const ControlSpec& desc) override {
        return inner_->createControlSite(desc);
    }

private:
    std::unique_ptr<MainWindow> inner_;
    const std::string& listName_;
    const LineTapWindowing::Tap& tap_;
    std::vector<std::unique_ptr<TappedList>> tapped_;
};

} // namespace

std::unique_ptr<MainWindow> LineTapWindowing::createMainWindow(const WindowSpec& desc) {
    return std::make_unique<TappedWindow>(inner_.createMainWindow(desc), listName_, tap_);
}

} // namespace vp::console
