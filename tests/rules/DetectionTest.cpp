// Whether an entry applies: registry keys, files and folders with wildcard folders, Windows
// versions, SpecialDetect, and one look-up per distinct place however many entries name it.
#include "rules/Detection.h"
#include "RulesRunFixture.h"

#include <memory>

namespace vp::rules::test {
namespace {

class DetectionTest : public RulesRunFixture {
public:
    DetectionTest() {
        sim.registry.key(R"(Software\Contoso\Viewer)");
        sim.files.file(R"(C:\Users\Camille\AppData\Local\Fabrikam\User Data\Profile 7\Prefs)")
            .folder(R"(C:\Users\Camille\AppData\Local\Google\Chrome\User Data)");
    }

    DetectionResult detect(std::string_view body,
                           std::optional<OsVersion> windows = OsVersion{10, 0, 19045}) {
        load("[E *]\n" + std::string(body) + "\n");
        RootExpander expander(folders, sim.environment);
        Detector detector(sim.files, sim.registry, sim.narrowText, expander, windows);
        return detector.detect(*rules.find("E"));
    }
};

TEST_F(DetectionTest, EachDetectionKeyAndItsAbsence) {
    using R = DetectionResult;
    const std::vector<std::pair<std::string_view, R>> table = {
        {"LangSecRef=3021", R::Detected},
        {"Detect=HKCU\\Software\\Contoso\\Viewer", R::Detected},
        {"Detect=HKCU\\Software\\contoso", R::Detected},
        {"Detect1=HKCU\\Software\\Nobody\nDetect2=HKCU\\Software\\Contoso", R::Detected},
        {"Detect=HKCU\\Software\\Nobody", R::NotDetected},
        {"Detect=HKLM\\Software\\Contoso", R::NotDetected},
        {"DetectFile=%LocalAppData%\\Fabrikam\\User Data\\*\\Prefs", R::Detected},
        {"DetectFile=%LocalAppData%\\Fab*\\User Data", R::Detected},
        {"DetectFile=%LocalAppData%\\Fabrikam\\User Data\\Profile ?\\Pr*", R::Detected},
        {"DetectFile=%LocalAppData%\\Fabrikam\\User Data\\*\\Cookies", R::NotDetected},
        {"DetectFile=%LocalAppData%", R::Detected},
        {"DetectFile=%NoSuchVariable%\\x", R::NotDetected},
        {"DetectFile=%LocalAppData%\\Nobody\nDetect=HKCU\\Software\\Contoso", R::Detected},
        {"DetectOS=10.0|\nDetect=HKCU\\Software\\Contoso", R::Detected},
        {"DetectOS=|6.3", R::OtherWindows},
        {"DetectOS=10.0.22000|", R::OtherWindows},
        {"SpecialDetect=DET_CHROME", R::Detected},
        {"SpecialDetect=DET_MOZILLA", R::NotDetected},
        {"SpecialDetect=DET_WINDOWS", R::Detected},
        {"SpecialDetect=DET_NOBODY", R::UnknownSpecial},
        // SpecialDetect alone decides.
        {"SpecialDetect=DET_MOZILLA\nDetect=HKCU\\Software\\Contoso", R::NotDetected},
        // A detection that cannot be read never detects.
        {"Detect=Software\\Contoso", R::NotDetected},
        {"ExcludeKey1=NOPE|x", R::Refused},
    };
    for (const auto& [body, expected] : table) {
        EXPECT_EQ(detect(body), expected) << body;
    }
    EXPECT_EQ(detect("DetectOS=6.1|", std::nullopt), DetectionResult::OtherWindows);
}

TEST_F(DetectionTest, EachDistinctPlaceIsLookedUpOnce) {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        const std::string n = std::to_string(i);
        text += "[Found" + n + " *]\nDetectFile=%LocalAppData%\\Fabrikam\\User Data\\*\\Prefs\n";
        text += "[Missing" + n +
                " *]\nDetect=HKCU\\Software\\Nobody\n"
                "DetectFile=%localappdata%\\NOBODY\\" +
                std::string(i % 2 ? "x" : "X") + "\n";
    }
    load(std::move(text));
    RootExpander expander(folders, sim.environment);
    Detector detector(sim.files, sim.registry, sim.narrowText, expander, OsVersion{10, 0, 0});
    const long opensBefore = sim.files.counters().openFolder;
    const auto registryBefore = sim.registry.calls().opens;
    int found = 0;
    for (const Entry& entry : rules.entries()) {
        found += detector.applies(entry) ? 1 : 0;
    }
    EXPECT_EQ(found, 500);
    EXPECT_EQ(detector.lookups(), 3u);
    EXPECT_LT(sim.files.counters().openFolder - opensBefore, 10);
    EXPECT_EQ(sim.registry.calls().opens - registryBefore, 1);
}

} // namespace
} // namespace vp::rules::test
