#include "support/FormFixture.h"

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

TEST_F(WindowButtonsTest, EachLinkOpensItsPageWithTheOpenVerbAndNoOwner) {
    for (const char* button : {"ButtonPlus6", "ButtonPlus8", "Command2"}) {
        window().click(button);
    }
    const auto& calls = sim.shell.executed();
    ASSERT_EQ(calls.size(), 3U);
    for (const auto& call : calls) {
        EXPECT_EQ(call.owner, 0U);
        EXPECT_EQ(call.verb, "open");
        EXPECT_EQ(call.parameters + call.folder, "");
        EXPECT_EQ(call.show, 1);
    }
    EXPECT_TRUE(calls[0].file.starts_with("http://forum.")) << calls[0].file;
    const std::string site = calls[1].file.substr(0, calls[1].file.find("/Download"));
    EXPECT_EQ(calls[1].file, site + "/Download");
    EXPECT_EQ(calls[2].file, site + "/Download/Windows/Dustrel");
    EXPECT_TRUE(window().journal().empty());
}

} // namespace
} // namespace vp::test
