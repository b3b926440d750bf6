// A rule path's root against the system's known folders and environment: what each variable
// stands for, both Program Files folders, and the roots that cannot be used.
#include "rules/RootExpansion.h"
#include "platform/sim/SimEnvironment.h"
#include "platform/sim/SimKnownFolders.h"
#include "rules/RuleFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp::rules {
namespace {

class RootExpansionTest : public ::testing::Test {
protected:
    RootExpansionTest() {
        folders.setTypicalProfile("Camille", true);
        environment.set("TEMP", R"(C:\Users\Camille\AppData\Local\Temp)");
    }

    // Every candidate's full path, or "!failure-code".
    std::vector<std::string> expand(std::string_view rulePath) {
        RuleArena arena(256);
        PathSpec path;
        FieldIssues issues;
        if (!parsePath(rulePath, arena, path, issues)) {
            ADD_FAILURE() << "not a rule path: " << rulePath;
            return {};
        }
        RootExpander expander(folders, environment);
        const Expansion expansion = expander.expand(path);
        if (expansion.failure != ExpansionFailure::None) {
            return {"!" + std::string(expansionFailureCode(expansion.failure))};
        }
        std::vector<std::string> out;
        for (const ExpandedPath& candidate : expansion.candidates) {
            out.push_back(candidate.text());
        }
        return out;
    }

    using Paths = std::vector<std::string>;
    sim::SimKnownFolders folders;
    sim::SimEnvironment environment;
};

TEST_F(RootExpansionTest, EachFolderVariableIsTheKnownFolderOfItsName) {
    const std::vector<std::pair<std::string_view, std::string_view>> table = {
        {R"(%AppData%\x)", R"(C:\Users\Camille\AppData\Roaming\x)"},
        {R"(%LocalAppData%\x)", R"(C:\Users\Camille\AppData\Local\x)"},
        {R"(%LocalLowAppData%\x)", R"(C:\Users\Camille\AppData\LocalLow\x)"},
        {R"(%CommonAppData%\x)", R"(C:\ProgramData\x)"},
        {R"(%ProgramData%\x)", R"(C:\ProgramData\x)"},
        {R"(%Documents%\x)", R"(C:\Users\Camille\Documents\x)"},
        {R"(%Music%\x)", R"(C:\Users\Camille\Music\x)"},
        {R"(%Pictures%\x)", R"(C:\Users\Camille\Pictures\x)"},
        {R"(%Video%\x)", R"(C:\Users\Camille\Videos\x)"},
        {R"(%Desktop%\x)", R"(C:\Users\Camille\Desktop\x)"},
        {R"(%Public%\x)", R"(C:\Users\Public\x)"},
        {R"(%UserProfile%\x)", R"(C:\Users\Camille\x)"},
        {R"(%WinDir%\x)", R"(C:\Windows\x)"},
        {R"(%SystemRoot%\x)", R"(C:\Windows\x)"},
        {R"(%SystemDrive%\x)", R"(C:\x)"},
        {"%SystemDrive%", R"(C:\)"},
        {R"(%Temp%\x)", R"(C:\Users\Camille\AppData\Local\Temp\x)"},
        {R"(D:\Games\x)", R"(D:\Games\x)"},
        {"D:", R"(D:\)"},
    };
    for (const auto& [rule, expected] : table) {
        EXPECT_EQ(expand(rule), Paths{std::string(expected)}) << rule;
    }
}

TEST_F(RootExpansionTest, ProgramFilesIsBothFoldersOnA64BitWindowsAndOneOnA32BitWindows) {
    EXPECT_EQ(expand(R"(%ProgramFiles%\Contoso)"),
              (Paths{R"(C:\Program Files\Contoso)", R"(C:\Program Files (x86)\Contoso)"}));
    EXPECT_EQ(expand(R"(%CommonProgramFiles%\Contoso)"),
              (Paths{R"(C:\Program Files\Common Files\Contoso)",
                     R"(C:\Program Files (x86)\Common Files\Contoso)"}));

    folders.setTypicalProfile("Camille", false);
    EXPECT_EQ(expand(R"(%ProgramFiles%\Contoso)"), Paths{R"(C:\Program Files\Contoso)"});
    EXPECT_EQ(expand(R"(%CommonProgramFiles%\Contoso)"),
              Paths{R"(C:\Program Files\Common Files\Contoso)"});

    // Letter case and a trailing backslash do not make two folders of one.
    folders.set(KnownFolder::ProgramFilesX86, R"(c:\PROGRAM FILES\)");
    EXPECT_EQ(expand(R"(%ProgramFiles%\Contoso)"), Paths{R"(C:\Program Files\Contoso)"});
    // Either one alone still gives its folder.
    folders.unset(KnownFolder::ProgramFiles).set(KnownFolder::ProgramFilesX86, R"(E:\Apps32)");
    EXPECT_EQ(expand(R"(%ProgramFiles%\Contoso)"), Paths{R"(E:\Apps32\Contoso)"});
}

TEST_F(RootExpansionTest, WildcardFoldersAreLeftForTheWalk) {
    RuleArena arena(256);
    PathSpec path;
    FieldIssues issues;
    ASSERT_TRUE(
        parsePath(R"(%LocalAppData%\Tailspin\Browser*\User Data\*\Cache)", arena, path, issues));
    RootExpander expander(folders, environment);
    const Expansion expansion = expander.expand(path);
    ASSERT_EQ(expansion.candidates.size(), 1u);
    const ExpandedPath& candidate = expansion.candidates[0];
    EXPECT_EQ(candidate.root, R"(C:\Users\Camille\AppData\Local)");
    EXPECT_EQ(candidate.rest, R"(Tailspin\Browser*\User Data\*\Cache)");
    EXPECT_EQ(candidate.literalPrefix(), R"(C:\Users\Camille\AppData\Local\Tailspin)");
    EXPECT_EQ(candidate.text(),
              R"(C:\Users\Camille\AppData\Local\Tailspin\Browser*\User Data\*\Cache)");
    std::vector<std::string> walked;
    for (const Segment segment : candidate.segments()) {
        walked.push_back(std::string(segment.text) + (segment.wildcard ? "?" : ""));
    }
    EXPECT_EQ(walked,
              (std::vector<std::string>{"Tailspin", "Browser*?", "User Data", "*?", "Cache"}));
    EXPECT_EQ((ExpandedPath{"D:", ""}.literalPrefix()), R"(D:\)");
}

TEST_F(RootExpansionTest, RootsThatCannotBeUsedAreReportedNotGuessed) {
    environment.set("RELATIVE", R"(folder\below)")
        .set("EMPTY", "")
        .set("CURRENT", "C:folder")
        .set("WILD", R"(C:\a*\b)")
        .set("CLIMB", R"(C:\a\..\..\b)")
        .set("DEVICE", R"(\\.\PhysicalDrive0)")
        .set("EXTENDED", R"(\\?\C:\x)")
        .set("NOSHARE", R"(\\server)");
    folders.unset(KnownFolder::Music).set(KnownFolder::Pictures, "relative");
    EXPECT_EQ(expand(R"(%Unset%\x)"), Paths{"!variable-unset"});
    EXPECT_EQ(expand(R"(%RELATIVE%\x)"), Paths{"!not-absolute"});
    EXPECT_EQ(expand(R"(%EMPTY%\x)"), Paths{"!not-absolute"});
    EXPECT_EQ(expand(R"(%CURRENT%\x)"), Paths{"!not-absolute"});
    EXPECT_EQ(expand(R"(%WILD%\x)"), Paths{"!bad-root"});
    EXPECT_EQ(expand(R"(%CLIMB%\x)"), Paths{"!bad-root"});
    EXPECT_EQ(expand(R"(%DEVICE%\x)"), Paths{"!bad-root"});
    EXPECT_EQ(expand(R"(%EXTENDED%\x)"), Paths{"!bad-root"});
    EXPECT_EQ(expand(R"(%NOSHARE%\x)"), Paths{"!bad-root"});
    EXPECT_EQ(expand(R"(%Music%\x)"), Paths{"!folder-unknown"});
    EXPECT_EQ(expand(R"(%Pictures%\x)"), Paths{"!not-absolute"});
    folders.set(KnownFolder::Windows, R"(\\server\share\Windows)");
    EXPECT_EQ(expand(R"(%SystemDrive%\x)"), Paths{"!bad-root"});
}

TEST_F(RootExpansionTest, RootsAreSettledBeforeUse) {
    environment.set("SLASHES", "C:/Data//Apps/")
        .set("DOTS", R"(C:\Data\.\Old\..\Apps)")
        .set("SHARE", R"(\\server\share\Users\Camille\)");
    EXPECT_EQ(expand(R"(%SLASHES%\x)"), Paths{R"(C:\Data\Apps\x)"});
    EXPECT_EQ(expand(R"(%DOTS%\x)"), Paths{R"(C:\Data\Apps\x)"});
    EXPECT_EQ(expand(R"(%SHARE%\x)"), Paths{R"(\\server\share\Users\Camille\x)"});
}

TEST_F(RootExpansionTest, FailuresAreExplainedInFrench) {
    environment.set("RELATIVE", "dossier");
    RuleArena arena(64);
    PathSpec path;
    FieldIssues issues;
    RootExpander expander(folders, environment);
    ASSERT_TRUE(parsePath(R"(%Absente%\x)", arena, path, issues));
    EXPECT_EQ(frenchExpansionFailure(expander.expand(path)),
              "la variable %Absente% n'est pas définie");
    ASSERT_TRUE(parsePath(R"(%RELATIVE%\x)", arena, path, issues));
    EXPECT_EQ(frenchExpansionFailure(expander.expand(path)),
              "%RELATIVE% vaut « dossier », qui n'est pas un chemin complet");
    folders.unset(KnownFolder::Desktop);
    ASSERT_TRUE(parsePath(R"(%Desktop%\x)", arena, path, issues));
    EXPECT_EQ(frenchExpansionFailure(expander.expand(path)),
              "le système n'indique aucun dossier pour %Desktop%");
}

// Counts what is asked, to show that each root is looked up once per expander.
class CountingFolders final : public KnownFolders {
public:
    explicit CountingFolders(KnownFolders& inner) : inner_(inner) {}
    std::optional<std::string> path(KnownFolder folder) override {
        ++asked;
        return inner_.path(folder);
    }
    int asked = 0;

private:
    KnownFolders& inner_;
};

TEST_F(RootExpansionTest, EachRootIsLookedUpOnce) {
    CountingFolders counting(folders);
    RootExpander expander(counting, environment);
    RuleArena arena(256);
    for (const char* rule : {R"(%AppData%\a)", R"(%APPDATA%\b)", R"(%AppData%\c\*)",
                             R"(%ProgramFiles%\a)", R"(%ProgramFiles%\b)"}) {
        PathSpec path;
        FieldIssues issues;
        ASSERT_TRUE(parsePath(rule, arena, path, issues));
        EXPECT_FALSE(expander.expand(path).candidates.empty()) << rule;
    }
    EXPECT_EQ(counting.asked, 3); // AppData once, both Program Files once
}

} // namespace
} // namespace vp::rules
