#include "rules/SpecialDetects.h"

#include "platform/NameCompare.h"

#include <array>

namespace vp::rules {
namespace {

// Where each application keeps its profile or records its installation. Written for this
// program from where those applications are known to store their data.
constexpr std::array<std::string_view, 2> ChromeKeys = {R"(HKCU\Software\Google\Chrome)",
                                                        R"(HKLM\Software\Google\Chrome)"};
constexpr std::array<std::string_view, 1> ChromeFiles = {
    R"(%LocalAppData%\Google\Chrome\User Data)"};

constexpr std::array<std::string_view, 1> FirefoxKeys = {
    R"(HKLM\Software\Mozilla\Mozilla Firefox)"};
constexpr std::array<std::string_view, 1> FirefoxFiles = {R"(%AppData%\Mozilla\Firefox\Profiles)"};

constexpr std::array<std::string_view, 1> ThunderbirdKeys = {
    R"(HKLM\Software\Mozilla\Mozilla Thunderbird)"};
constexpr std::array<std::string_view, 1> ThunderbirdFiles = {R"(%AppData%\Thunderbird\Profiles)"};

constexpr std::array<std::string_view, 1> OperaKeys = {R"(HKCU\Software\Opera Software)"};
constexpr std::array<std::string_view, 1> OperaFiles = {R"(%AppData%\Opera Software\Opera Stable)"};

constexpr std::array<std::string_view, 1> EdgeKeys = {R"(HKCU\Software\Microsoft\Edge)"};
constexpr std::array<std::string_view, 1> EdgeFiles = {
    R"(%LocalAppData%\Microsoft\Edge\User Data)"};

constexpr std::array<std::string_view, 1> SafariKeys = {
    R"(HKCU\Software\Apple Computer, Inc.\Safari)"};
constexpr std::array<std::string_view, 2> SafariFiles = {R"(%AppData%\Apple Computer\Safari)",
                                                         R"(%LocalAppData%\Apple Computer\Safari)"};

constexpr std::array<std::string_view, 1> StoreFiles = {R"(%LocalAppData%\Packages)"};

constexpr std::array<SpecialDetectInfo, 8> Known = {{
    {"DET_CHROME", SpecialDetection::Chrome, "Google Chrome", ChromeKeys, ChromeFiles},
    {"DET_MOZILLA", SpecialDetection::Firefox, "Mozilla Firefox", FirefoxKeys, FirefoxFiles},
    {"DET_THUNDERBIRD", SpecialDetection::Thunderbird, "Mozilla Thunderbird", ThunderbirdKeys,
     ThunderbirdFiles},
    {"DET_OPERA", SpecialDetection::Opera, "Opera", OperaKeys, OperaFiles},
    {"DET_EDGE", SpecialDetection::Edge, "Microsoft Edge", EdgeKeys, EdgeFiles},
    {"DET_SAFARI", SpecialDetection::Safari, "Safari", SafariKeys, SafariFiles},
    {"DET_WINSTORE", SpecialDetection::WindowsStore, "Microsoft Store", {}, StoreFiles},
    {"DET_WINDOWS", SpecialDetection::Windows, "Windows", {}, {}, true},
}};

} // namespace

std::span<const SpecialDetectInfo> knownSpecialDetects() {
    return Known;
}

const SpecialDetectInfo* findSpecialDetect(std::string_view code) {
    for (const SpecialDetectInfo& info : Known) {
        if (namesEqual(info.code, code)) {
            return &info;
        }
    }
    return nullptr;
}

const SpecialDetectInfo* findSpecialDetect(SpecialDetection detection) {
    for (const SpecialDetectInfo& info : Known) {
        if (info.detection == detection) {
            return &info;
        }
    }
    return nullptr;
}

} // namespace vp::rules
