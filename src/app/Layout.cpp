#include "app/Layout.h"

#include "app/Catalogue.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vp {
namespace {

constexpr std::uint32_t White = 0xFFFFFF;
constexpr std::uint32_t TitleButtonBack = 0xF7B066;
constexpr std::uint32_t SystemWindowColour = 0x80000005;

FontSpec font(std::string face, double points, bool bold = false, int weight = 400) {
    return FontSpec{std::move(face), points, bold, bold && weight == 400 ? 700 : weight};
}

ControlLayout control(std::string name, ControlKind kind, std::string_view parent, TwipRect rect,
                      std::string caption = {}) {
    ControlLayout layout;
    layout.desc.name = std::move(name);
    layout.desc.kind = kind;
    layout.desc.rect = rect;
    layout.desc.caption = std::move(caption);
    layout.parentName = parent;
    return layout;
}

std::vector<ControlLayout> buildLayout() {
    using K = ControlKind;
    std::vector<ControlLayout> all;
    auto add = [&all](ControlLayout layout) -> ControlSpec& {
        all.push_back(std::move(layout));
        return all.back().desc;
    };

    // Focus order: the keyboard focus starts on Command4, then Dir1, File1, Command5.
    add(control("Command4", K::CommandButton, {}, {360, 4200, 1455, 375}, "Tout cocher")).tabIndex =
        0;
    {
        auto& dir = add(control("Dir1", K::DirListBox, {}, {2160, 4920, 1095, 315}));
        dir.visible = false;
        dir.tabIndex = 1;
        dir.accessibleName = "Dossiers";
        auto& file = add(control("File1", K::FileListBox, {}, {1080, 4920, 855, 285}));
        file.visible = false;
        file.tabIndex = 2;
        file.accessibleName = "Fichiers";
    }
    add(control("Command5", K::CommandButton, {}, {4560, 4200, 1455, 375}, "Enreg. log")).tabIndex =
        3;
    // The category that Command4 checks: beside it, outside the client area like the button
    // itself, next in the focus order; "Complet" unless the user picks another.
    {
        auto& selector = add(control("cboCategory", K::DropDownList, {}, {1920, 4200, 2535, 315},
                                     std::string(Categories().front().name)));
        for (const Category& category : Categories()) {
            selector.choices.emplace_back(category.name);
        }
        selector.tabIndex = 4;
        selector.accessibleName = "Catégorie";
    }

    // The title buttons are reached with Tab as they are read, left to right: "!", "-", "×".
    auto& close = add(control("TopButtons_XP1", K::ExternalButton, {}, {5145, 240, 345, 345}, "×"));
    close.font = font("Arial", 20.25);
    close.tooltip = "Quitter";
    close.backColor = TitleButtonBack;
    close.tabIndex = 7;
    auto& minimise = add(control("ButtonPlus1", K::ExternalButton, {}, {4800, 240, 345, 345}, "-"));
    minimise.font = font("Arial", 21.75);
    minimise.tooltip = "Réduire";
    minimise.backColor = TitleButtonBack;
    minimise.tabIndex = 6;
    auto& about = add(control("ButtonPlus5", K::ExternalButton, {}, {4440, 240, 345, 345}, "!"));
    about.font = font("Arial Black", 11.25, false, 900);
    about.tooltip = "Réduire";
    about.backColor = TitleButtonBack;
    about.tabIndex = 5;
    // Its tooltip is the minimise button's; a screen reader says what it does.
    about.accessibleName = "À propos";

    auto picture = [&](std::string name, TwipRect rect, std::string tooltip, std::string image,
                       bool visible = true) -> ControlSpec& {
        auto& desc = add(control(std::move(name), K::PictureButton, {}, rect));
        desc.tooltip = std::move(tooltip);
        desc.picture = std::move(image);
        desc.visible = visible;
        return desc;
    };
    picture("ButtonPlus6", {3720, 840, 495, 495}, "Vexoma Forums", "forum");
    picture("ButtonPlus8", {4320, 840, 495, 495}, "Centre de téléchargement", "download");
    picture("Command2", {4920, 840, 495, 495}, "L'aide", "help-page");
    picture("ButtonPlus9", {3120, 840, 495, 495}, "Vexoma Kitbox", "kitbox", false);
    // The panel buttons show pictures only; a screen reader names the panel each one shows.
    picture("ButtonPlus2", {70, 1200, 855, 615}, {}, "panel-clean").accessibleName = "Nettoyage";
    picture("ButtonPlus3", {70, 1920, 855, 615}, {}, "panel-cache").accessibleName = "Fichier";
    picture("ButtonPlus4", {70, 2640, 855, 615}, {}, "panel-config").accessibleName =
        "Configuration";

    for (const auto& [name, caption] :
         {std::pair{"FramePlus1", "Nettoyage : "}, std::pair{"FramePlus2", "Fichier :"},
          std::pair{"FramePlus3", "Configuration :"}}) {
        add(control(name, K::Frame, {}, {1000, 1080, 4455, 2175}, caption)).font =
            font("Arial", 8.25);
    }
    add(control("picBoard", K::PictureBox, {}, {6720, 480, 3135, 6375})).accessibleName =
        "Autres cibles";
    add(control("Label10", K::Label, {}, {8280, 4800, 2895, 255})).font = font("Arial", 9.75, true);

    // Cleaning panel.
    {
        auto& image = add(control("Image1", K::Picture, "FramePlus1", {240, 480, 525, 570}));
        image.picture = "broom";
        image.accessibleName = "Balai";
    }
    add(control("Label1", K::Label, "FramePlus1", {1080, 480, 3255, 735},
                "Vexoma Dustrel supprime les données inutiles présentes sur votre disque dur et "
                "libère de l'espace. "))
        .font = font("Verdana", 8.25);
    {
        auto& log = add(control("List1", K::ListBox, "FramePlus1", {120, 360, 4245, 810}));
        log.visible = false;
        log.accessibleName = "Journal du nettoyage";
    }
    add(control("Command1", K::ExternalButton, "FramePlus1", {1080, 1320, 2775, 495}, "Nettoyer"))
        .font = font("Verdana", 8.25);
    {
        auto& bar =
            add(control("ProgressBar1", K::ProgressBar, "FramePlus1", {120, 1880, 4215, 255}));
        bar.visible = false;
        bar.accessibleName = "Progression";
    }

    // Cache lists panel.
    add(control("Label8", K::Label, "FramePlus2", {120, 600, 735, 255}, "Cookies")).font =
        font("Arial", 8.25, true);
    add(control("List2", K::ListBox, "FramePlus2", {1080, 360, 3255, 810})).accessibleName =
        "Cookies";
    add(control("Label9", K::Label, "FramePlus2", {120, 1320, 975, 735},
                "Fichiers temporaires Internet "))
        .font = font("Arial", 8.25, true);
    add(control("List3", K::ListBox, "FramePlus2", {1080, 1320, 3255, 810})).accessibleName =
        "Fichiers temporaires Internet";

    // Target board headings.
    for (const auto& [name, caption, left, top] :
         {std::tuple{"Label5", "Internet", 0, 120}, std::tuple{"Label6", "Windows", 120, 1560},
          std::tuple{"Label7", "Logiciels", 120, 3480}}) {
        add(control(name, K::Label, "picBoard", {left, top, 2895, 255}, caption)).font =
            font("Arial", 8.25, true);
    }

    // The check boxes, in catalogue order.
    for (const auto& entry : Catalogue()) {
        const BoxPlace& place = entry.place;
        const bool onBoard = entry.panel == Panel::TargetBoard;
        auto& box = add(control(
            "ch" + std::to_string(entry.number), K::CheckBox, onBoard ? "picBoard" : "FramePlus3",
            {place.left, place.top, place.width, 255}, std::string(entry.caption)));
        box.value = entry.checkedAtStart ? 1 : 0;
        box.backColor = onBoard ? White : SystemWindowColour;
    }

    // Everything not placed in the focus order above follows it in creation order, but the
    // configuration panel's boxes are reached as they are read, column by column.
    std::vector<ControlLayout*> rest;
    std::vector<std::size_t> configSlots;
    for (auto& layout : all) {
        if (layout.desc.tabIndex < 0) {
            if (layout.parentName == "FramePlus3") {
                configSlots.push_back(rest.size());
            }
            rest.push_back(&layout);
        }
    }
    std::vector<ControlLayout*> config;
    config.reserve(configSlots.size());
    for (const std::size_t slot : configSlots) {
        config.push_back(rest[slot]);
    }
    std::sort(config.begin(), config.end(), [](const ControlLayout* a, const ControlLayout* b) {
        return std::pair{a->desc.rect.left, a->desc.rect.top} <
               std::pair{b->desc.rect.left, b->desc.rect.top};
    });
    for (std::size_t i = 0; i < configSlots.size(); ++i) {
        rest[configSlots[i]] = config[i];
    }
    int nextTab = 8;
    for (ControlLayout* layout : rest) {
        layout->desc.tabIndex = nextTab++;
    }
    return all;
}

} // namespace

WindowSpec MainWindowLayout() {
    return WindowSpec{"Vexoma Pellora 1.0", 5730, 3720, White, "background"};
}

const std::vector<ControlLayout>& ControlsLayout() {
    static const std::vector<ControlLayout> layout = buildLayout();
    return layout;
}

} // namespace vp
