// The application file targets: logs, histories and settings that four desktop applications
// leave behind, deleted through the file-system object's wildcard deletion.
#include "app/Form1.h"

#include "platform/FileSystem.h"
#include "platform/Windowing.h"

#include <optional>
#include <string>

namespace vp {
namespace {

// "C:\Documents and Settings\" and the user name shown in Label10, read at the time of the
// call. A name that is empty or could step out of the profiles folder would make the fixed
// parts that follow name another user's (or no user's) folder, so there is no profile then.
std::optional<std::string> ProfileFolder(const Control& userNameLabel) {
    const std::string userName = userNameLabel.caption();
    if (userName.empty() || userName == "." || userName == ".." ||
        userName.find_first_of("\\/:") != std::string::npos) {
        return std::nullopt;
    }
    return R"(C:\Documents and Settings\)" + userName;
}

// The folder the Flash Player keeps its settings in is named after its maker's web domain.
constexpr std::string_view FlashPlayerSettingsFolder = "macromedia.com";

} // namespace

void Form1::Azureus() {
    BeginTarget(&Form1::Azureus);
    if (const auto profile = ProfileFolder(*Label10)) {
        FileTally tally;
        platform_.fileSystem.deleteMatchingFiles(
            *profile + R"(\Application Data\Azureus\logs\*.log)", true, &tally);
        CountFiles(tally);
    }
    EndLogSection();
}

void Form1::Donkey() {
    BeginTarget(&Form1::Donkey);
    FileTally tally;
    platform_.fileSystem.deleteMatchingFiles(R"(C:\Program Files\eDonkey2000\log.txt)", true,
                                             &tally);
    CountFiles(tally);
    EndLogSection();
}

void Form1::Mule() {
    BeginTarget(&Form1::Mule);
    // One deletion each, so a missing or locked file does not keep the others.
    for (const char* path : {R"(C:\Program Files\eMule\config\AC_SearchStrings.dat)",
                             R"(C:\Program Files\eMule\config\known.met)",
                             R"(C:\Program Files\eMule\downloads.txt)"}) {
        FileTally tally;
        platform_.fileSystem.deleteMatchingFiles(path, true, &tally);
        CountFiles(tally);
    }
    EndLogSection();
}

void Form1::MPlayerF() {
    BeginTarget(&Form1::MPlayerF);
    if (const auto profile = ProfileFolder(*Label10)) {
        FileTally tally;
        platform_.fileSystem.deleteMatchingFiles(
            *profile + R"(\Application Data\Macromedia\Flash Player\)" +
                std::string(FlashPlayerSettingsFolder) + R"(\support\flashplayer\sys\*.*)",
            true, &tally);
        CountFiles(tally);
    }
    EndLogSection();
}

} // namespace vp
