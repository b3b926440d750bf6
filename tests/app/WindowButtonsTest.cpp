#include "support/FormFixture.h"

#include "platform/Shell.h"

#include <sstream>

namespace vp::test {
namespace {

using Kind = sim::WindowEvent::Kind;

class WindowButtonsTest : public FormFixture {
protected:
    void SetUp() override {
        startProgram();
        window().clearJournal();
    }
    std::string visibleFrames() const {
        std::string out;
        for (const char* frame : {"FramePlus1", "FramePlus2", "FramePlus3"}) {
            if (form->control(frame).visible()) {
                out += frame;
            }
        }
        return out;
    }
};

TEST_F(WindowButtonsTest, EachPanelButtonLeavesItsOwnPanelAloneVisible) {
    const std::pair<const char*, const char*> cases[] = {{"ButtonPlus3", "FramePlus2"},
                                                         {"ButtonPlus3", "FramePlus2"},
                                                         {"ButtonPlus4", "FramePlus3"},
                                                         {"ButtonPlus2", "FramePlus1"}};
    for (const auto& [button, frame] : cases) {
        window().click(button);
        EXPECT_EQ(visibleFrames(), frame) << "after " << button;
    }
    EXPECT_TRUE(window().journal().empty());
}

TEST_F(WindowButtonsTest, CloseAndMinimiseAskNothing) {
    window().click("ButtonPlus1");
    window().click("TopButtons_XP1");
    EXPECT_EQ(window().journal(), (std::vector<sim::WindowEvent>{{Kind::Minimize, {}, {}, 0},
                                                                 {Kind::Close, {}, {}, 0}}));
}

TEST_F(WindowButtonsTest, TheAboutBoxJoinsItsTenLinesWithALoneCr) {
    window().click("ButtonPlus5");
    ASSERT_EQ(window().journal().size(), 1U);
    const sim::WindowEvent& box = window().journal()[0];
    EXPECT_EQ(box.kind, Kind::MessageBox);
    EXPECT_EQ(box.title, "A propos de Vexoma Dustrel 2.0");
    EXPECT_EQ(box.number, 64);
    EXPECT_EQ(box.text.find('\n'), std::string::npos);

    std::vector<std::string> lines;
    std::istringstream in(box.text);
    for (std::string line; std::getline(in, line, '\r');) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 10U) << box.text;
    EXPECT_NE(box.text.back(), '\r');
    EXPECT_EQ(lines[0], "");
    EXPECT_TRUE(lines[1].starts_with("Auteur : ") && lines[1].size() > 9) << lines[1];
    EXPECT_EQ(lines[2], " ");
    EXPECT_TRUE(lines[4].starts_with("E-Mail : ")) << lines[4];
    EXPECT_TRUE(lines[5].starts_with("Site web : ")) << lines[5];
    EXPECT_EQ(lines[6].find_first_not_of(' '), 17U) << '"' << lines[6] << '"';
    EXPECT_EQ(lines[7], std::string(34, '_'));
    for (const std::size_t i : {3U, 8U, 9U}) {
        EXPECT_FALSE(lines[i].empty()) << "line " << i + 1;
    }
}

// A shell that remembers what it was asked to open.
class RecordingShell final : public Shell {
public:
    long emptyRecycleBin(std::uintptr_t, std::string_view, std::uint32_t) override { return 0; }
    long updateRecycleBinIcon() override { return 0; }
    std::intptr_t execute(std::uintptr_t owner, std::string_view verb, std::string_view file,
                          std::string_view parameters, std::string_view folder, int show) override {
        std::ostringstream call;
        call << owner << ' ' << verb << ' ' << file << " [" << parameters << "] [" << folder << "] "
             << show;
        calls.push_back(call.str());
        return 2; // file not found: the click must not care
    }
    std::vector<std::string> calls;
};

TEST(WindowLinksTest, EachLinkOpensItsPageWithTheOpenVerbAndNoOwner) {
    sim::SimPlatform sim;
    RecordingShell shell;
    Platform platform{sim.registry,   sim.files,  sim.environment, shell,        sim.internetCache,
                      sim.urlHistory, sim.memory, sim.windowing,   sim.graphics, sim.narrowText};
    Form1 form(platform);
    form.Form_Load();
    sim.windowing.window()->clearJournal();
    for (const char* button : {"ButtonPlus6", "ButtonPlus8", "Command2"}) {
        sim.windowing.window()->click(button);
    }
    ASSERT_EQ(shell.calls.size(), 3U);
    EXPECT_TRUE(shell.calls[0].starts_with("0 open http://forum.")) << shell.calls[0];
    EXPECT_TRUE(shell.calls[1].ends_with("/Download [] [] 1")) << shell.calls[1];
    EXPECT_TRUE(shell.calls[2].ends_with("/Download/Windows/Dustrel [] [] 1")) << shell.calls[2];
    EXPECT_EQ(shell.calls[1].substr(0, shell.calls[1].find("/Download")),
              shell.calls[2].substr(0, shell.calls[2].find("/Download")))
        << "both pages are on the maker's site";
    EXPECT_TRUE(sim.windowing.window()->journal().empty());
}

} // namespace
} // namespace vp::test
