// The window's own buttons, which stand in for the missing title bar: close, minimise, the
// about box, the three panels and the maker's three pages.
#include "app/Form1.h"

#include "platform/Shell.h"
#include "platform/Windowing.h"

#include <string>

namespace vp {
namespace {

constexpr int InformationIcon = 64;
constexpr int ShowNormal = 1;

constexpr std::string_view MakerSite = "http://www.vexoma.example";
constexpr std::string_view ForumSite = "http://forum.vexoma.example/";

std::string AboutText() {
    const std::string lines[] = {
        "",
        "Auteur : Lucien Marbot",
        " ",
        "Réalisé en France",
        "E-Mail : contact@vexoma.example",
        "Site web : " + std::string(MakerSite),
        std::string(17, ' ') + std::string(ForumSite),
        std::string(34, '_'),
        "Vexoma Software",
        "© 2006 Vexoma Software. Tous droits réservés.",
    };
    std::string text;
    for (const std::string& line : lines) {
        if (&line != &lines[0]) {
            text += '\r'; // the box breaks lines at a lone CR
        }
        text += line;
    }
    return text;
}

} // namespace

void Form1::TopButtons_XP1_Click() {
    window_->close();
}

void Form1::ButtonPlus1_Click() {
    window_->minimize();
}

void Form1::ButtonPlus5_Click() {
    window_->messageBox(AboutText(), InformationIcon, "A propos de Vexoma Dustrel 2.0");
}

void Form1::ButtonPlus2_Click() {
    ShowPanel("FramePlus1");
}
void Form1::ButtonPlus3_Click() {
    ShowPanel("FramePlus2");
}
void Form1::ButtonPlus4_Click() {
    ShowPanel("FramePlus3");
}

void Form1::ShowPanel(std::string_view shown) {
    for (const std::string_view frame : {"FramePlus1", "FramePlus2", "FramePlus3"}) {
        control(frame).setVisible(frame == shown);
    }
}

void Form1::ButtonPlus6_Click() {
    OpenPage(ForumSite);
}
void Form1::ButtonPlus8_Click() {
    OpenPage(std::string(MakerSite) + "/Download");
}
void Form1::Command2_Click() {
    OpenPage(std::string(MakerSite) + "/Download/Windows/Dustrel");
}

void Form1::OpenPage(std::string_view address) {
    // The shell opens the page in another process; whether it could is not our concern.
    (void)platform_.shell.execute(0, "open", address, "", "", ShowNormal);
}

} // namespace vp
