#include "registry/RegistryTargetFixture.h"

namespace vp::test {
namespace {

const std::string Nero = R"(Software\Ahead\Nero - Burning Rom\Recent File List)";
const std::string Cover = R"(Software\Ahead\Cover Designer\Recent File List)";
const std::string Vb6 = R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)";
const std::string Vb5 = R"(Software\Microsoft\Visual Basic\5.0\RecentFiles)";
const std::string MediaPlayer = R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)";
const std::string ArcHistory = R"(Software\WinRAR\ArcHistory)";
const std::string ArcName = R"(Software\WinRAR\DialogEditHistory\ArcName)";
const std::string ExtrPath = R"(Software\WinRAR\DialogEditHistory\ExtrPath)";
const std::string WinZip = R"(Software\Nico Mak Computing\WinZip\filemenu)";

using AppMruTargetsTest = RegistryTargetTest;

TEST_F(AppMruTargetsTest, NeroLogsFile1To100AndLeavesFile0File101AndSubkeys) {
    registry.setString(Nero, "file0", R"(C:\zero.nri)")
        .setString(Nero, "file4", R"(C:\Gravures\quatre.nrg)")
        .setString(Nero, "file1", R"(C:\Gravures\un.nri)")
        .setRaw(Nero, "file2", REG_SZ,
                windows1252("C:\\Gravures\\R\xE9"
                            "cent.nrg"))
        .setString(Nero, "file101", R"(C:\beyond.nri)")
        .key(Nero + R"(\file1)");

    EXPECT_EQ(runWith({15}), (Lines{"Nero  : Nettoyage ...", R"(C:\Gravures\un.nri)",
                                    R"(C:\Gravures\Récent.nrg)", R"(C:\Gravures\quatre.nrg)", ""}));
    EXPECT_EQ(registry.valueNames(Nero), (Lines{"file0", "file101"})) << dump(Nero);
    EXPECT_EQ(registry.subkeyNames(Nero), Lines{"file1"});
}

TEST_F(AppMruTargetsTest, VbInterleavesVersion6And5ByNumber) {
    registry.setString(Vb5, "1", R"(C:\VB5\Projet1.vbp)")
        .setString(Vb6, "2", R"(C:\VB6\Projet2.vbp)")
        .setString(Vb6, "1", R"(C:\VB6\Projet1.vbp)")
        .setString(Vb5, "100", R"(C:\VB5\Projet100.vbp)")
        .setString(Vb6, "0", R"(C:\VB6\zero.vbp)")
        .setString(Vb5, "101", R"(C:\VB5\beyond.vbp)");

    EXPECT_EQ(runWith({17}), (Lines{"Visual Basic  : Nettoyage ...", R"(C:\VB6\Projet1.vbp)",
                                    R"(C:\VB5\Projet1.vbp)", R"(C:\VB6\Projet2.vbp)",
                                    R"(C:\VB5\Projet100.vbp)", ""}));
    EXPECT_EQ(registry.valueNames(Vb6), Lines{"0"}) << dump(Vb6);
    EXPECT_EQ(registry.valueNames(Vb5), Lines{"101"}) << dump(Vb5);
}

TEST_F(AppMruTargetsTest, RarHandlesNumber0To100InItsThreeKeysNumberByNumber) {
    registry.setString(ArcHistory, "1", R"(C:\Archives\deux.rar)")
        .setString(ArcHistory, "0", R"(C:\Archives\un.rar)")
        .setString(ExtrPath, "0", R"(C:\Extraits)")
        .setString(ExtrPath, "100", R"(C:\Extraits\dernier)")
        .setString(ExtrPath, "101", R"(C:\Extraits\au-delà)")
        .key(ArcName);

    EXPECT_EQ(runWith({19}),
              (Lines{"WinRar  : Nettoyage ...", R"(C:\Archives\un.rar)", R"(C:\Extraits)",
                     R"(C:\Archives\deux.rar)", R"(C:\Extraits\dernier)", ""}));
    EXPECT_EQ(registry.valueNames(ArcHistory), Lines{});
    EXPECT_EQ(registry.valueNames(ExtrPath), Lines{"101"}) << dump(ExtrPath);
    // Every number, in every key, is read and deleted through a key opened and closed for it.
    EXPECT_EQ(registry.calls(), (sim::SimRegistry::CallCounts{
                                    .opens = 606, .queries = 303, .deletes = 303, .closes = 606}));
}

TEST_F(AppMruTargetsTest, EachListWalksItsOwnNamesAndNumberRange) {
    struct List {
        int box;
        std::string key;
        std::string prefix;
        int first;
        int last;
    };
    const List lists[] = {{16, Cover, "file", 1, 100},
                          {18, MediaPlayer, "URL", 0, 100},
                          {20, WinZip, "filemenu", 1, 100}};
    startProgram();
    for (const List& list : lists) {
        const auto name = [&](int n) { return list.prefix + std::to_string(n); };
        for (const int n : {list.first - 1, list.first, list.first + 1, list.last, list.last + 1}) {
            if (n >= 0) {
                registry.setString(list.key, name(n), "entry " + name(n));
            }
        }
        registry.setString(list.key, name(list.first + 1), "");

        EXPECT_EQ(logOf(*form, Catalogue()[static_cast<std::size_t>(list.box - 1)].routine),
                  (Lines{"entry " + name(list.first), "entry " + name(list.last), ""}))
            << list.key;
        Lines left{name(list.last + 1)};
        if (list.first > 0) {
            left.insert(left.begin(), name(list.first - 1));
        }
        EXPECT_EQ(registry.valueNames(list.key), left) << dump(list.key);
    }
}

TEST_F(AppMruTargetsTest, EntriesTooLongToReadAreDeletedUnloggedUnlessTheKeyIsReadOnly) {
    registry.setString(WinZip, "filemenu1", std::string(127, 'z'))
        .setString(WinZip, "filemenu2", std::string(128, 'z'))
        .setString(WinZip, "filemenu3", std::string(4000, 'z'))
        .setString(Cover, "file1", R"(C:\Pochettes\secret.ncd)")
        .readOnly(Cover);

    EXPECT_EQ(runWith({16, 20}), (Lines{"Nero CoverDesigner  : Nettoyage ...", "",
                                        "WinZip  : Nettoyage ...", std::string(127, 'z'), ""}));
    EXPECT_EQ(registry.valueNames(WinZip), Lines{}) << dump(WinZip);
    EXPECT_EQ(registry.valueNames(Cover), Lines{"file1"}) << "a key that refuses full access stays";
}

} // namespace
} // namespace vp::test
