#include "platform/Accessibility.h"

namespace vp {

AccessibleRole AccessibleRoleOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::ExternalButton:
    case ControlKind::PictureButton:
    case ControlKind::CommandButton:
        return AccessibleRole::PushButton;
    case ControlKind::Frame:
    case ControlKind::PictureBox:
        return AccessibleRole::Grouping;
    case ControlKind::Label:
        return AccessibleRole::StaticText;
    case ControlKind::ListBox:
    case ControlKind::DirListBox:
    case ControlKind::FileListBox:
        return AccessibleRole::List;
    case ControlKind::CheckBox:
        return AccessibleRole::CheckButton;
    case ControlKind::Picture:
        return AccessibleRole::Graphic;
    case ControlKind::ProgressBar:
        return AccessibleRole::ProgressBar;
    case ControlKind::DropDownList:
        return AccessibleRole::ComboBox;
    }
    return AccessibleRole::Client;
}

std::string AccessibleNameOf(const ControlSpec& desc, std::string_view caption) {
    if (!desc.accessibleName.empty()) {
        return desc.accessibleName;
    }
    if (!desc.tooltip.empty()) {
        return desc.tooltip;
    }
    // "Nettoyage : " is read "Nettoyage".
    const auto end = caption.find_last_not_of(" :");
    return std::string(caption.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

} // namespace vp
