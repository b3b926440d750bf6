#include "app/Form1.h"

#include "app/Layout.h"
#include "platform/Environment.h"
#include "platform/PropertyBag.h"
#include "platform/Windowing.h"

#include <stdexcept>
#include <utility>

namespace vp {
namespace {

// ProgressBar1 as the window stores it: a continuous bar in blue with its percentage.
PropertyBag ProgressBar1Properties() {
    PropertyBag bag;
    bag.WriteProperty("BrushStyle", 0, 4);
    bag.WriteProperty("Color", 0xC56A31, static_cast<std::int32_t>(0x8000000D));
    bag.WriteProperty("Scrolling", 1, 0);
    bag.WriteProperty("ShowText", true, false);
    return bag;
}

} // namespace

Form1::Form1(Platform& platform)
    : Dir1(platform.fileSystem), File1(platform.fileSystem), platform_(platform),
      window_(platform.windowing.createMainWindow(MainWindowLayout())) {
    CreateControls();
    window_->onMouseDown(
        [this](int button, int shift, int x, int y) { Form_MouseDown(button, shift, x, y); });
    Dir1.onChange([this] { Dir1_Change(); });
    WireCommands();
}

// The progress bar leaves its site while the window, which owns the site, still exists.
Form1::~Form1() {
    ProgressBar1.reset();
}

void Form1::CreateControls() {
    for (const auto& layout : ControlsLayout()) {
        ControlSpec desc = layout.desc;
        if (!layout.parentName.empty()) {
            desc.parent = &control(layout.parentName);
        }
        Control* made = nullptr;
        switch (desc.kind) {
        case ControlKind::CheckBox: {
            CheckBox& box = window_->createCheckBox(desc);
            checkBoxes_.at(std::stoul(desc.name.substr(2)) - 1) = &box;
            made = &box;
            break;
        }
        case ControlKind::ListBox:
            made = &window_->createListBox(desc);
            break;
        case ControlKind::ProgressBar: {
            ControlSite& site = window_->createControlSite(desc);
            site.properties() = ProgressBar1Properties();
            ProgressBar1 = std::make_unique<XP_ProgressBar>(site, platform_.graphics);
            site.host(*ProgressBar1); // creation notice, then the stored properties
            made = &site;
            break;
        }
        default:
            made = &window_->createControl(desc);
            break;
        }
        controls_.emplace(desc.name, made);
    }
    List1 = dynamic_cast<ListBox*>(&control("List1"));
    List2 = dynamic_cast<ListBox*>(&control("List2"));
    List3 = dynamic_cast<ListBox*>(&control("List3"));
    Label10 = &control("Label10");
}

void Form1::WireCommands() {
    const std::pair<std::string_view, void (Form1::*)()> handlers[] = {
        {"Command1", &Form1::Command1_Click},
        {"Command4", &Form1::Command4_Click},
        {"Command5", &Form1::Command5_Click},
        {"TopButtons_XP1", &Form1::TopButtons_XP1_Click},
        {"ButtonPlus1", &Form1::ButtonPlus1_Click},
        {"ButtonPlus5", &Form1::ButtonPlus5_Click},
        {"ButtonPlus2", &Form1::ButtonPlus2_Click},
        {"ButtonPlus3", &Form1::ButtonPlus3_Click},
        {"ButtonPlus4", &Form1::ButtonPlus4_Click},
        {"ButtonPlus6", &Form1::ButtonPlus6_Click},
        {"ButtonPlus8", &Form1::ButtonPlus8_Click},
        {"Command2", &Form1::Command2_Click},
    };
    for (const auto& [name, handler] : handlers) {
        control(name).onClick([this, handler = handler] { (this->*handler)(); });
    }
}

Control& Form1::control(std::string_view name) const {
    const auto found = controls_.find(name);
    if (found == controls_.end()) {
        throw std::invalid_argument("no control named " + std::string(name));
    }
    return *found->second;
}

CheckBox& Form1::ch(int number) const {
    return *checkBoxes_.at(static_cast<std::size_t>(number - 1));
}

void Form1::Form_Load() {
    window_->setRoundRectRegion(window_->clientRect(), 20, 20);
    ListCacheEntries();
    Label10->setCaption(platform_.environment.variable("USERNAME").value_or(""));
}

void Form1::Form_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
    window_->beginDrag();
}

void Form1::Dir1_Change() {
    File1.setPath(Dir1.path());
}

void Form1::BeginTarget(TargetRoutine routine) {
    const CatalogueEntry& entry = CatalogueEntryOf(routine);
    ProgressBar1->setValue(entry.progressValue);
    window_->setCaption(StatusCaption(entry.captionPercent));
}

void Form1::AppendLogLine(std::string_view text) {
    List1->addItem(text);
    List1->setListIndex(List1->listCount() - 1);
}

void Form1::EndLogSection() {
    List1->addItem("");
}

} // namespace vp
