// The Windows-side driver of the end-to-end tests under Wine: seeds a scratch profile through
// real Win32 calls, runs the program's cleaning run on the Win32 services, and reports what
// the shell scripts under tests/wine check.
//
//   vp_e2e seed SCRIPT                 see Seed.h
//   vp_e2e run [--temp DIR] [--user NAME] [--runs N] BOX[,BOX...]|none
//   vp_e2e hold PATH FLAG              holds PATH open without sharing until FLAG exists
//   vp_e2e reg-dump KEY                the values of HKEY_CURRENT_USER\KEY, one a line
//   vp_e2e cache-list                  the source names of the Internet cache's entries
//   vp_e2e services FOLDER             checks of every Win32 service (FOLDER: scratch room)
#include "Checks.h"
#include "CleaningRunCommand.h"
#include "DriverText.h"
#include "LookUps.h"
#include "Seed.h"
#include "ServiceChecks.h"

#include <string>

namespace {

int usage() {
    vp::testing::printLine("usage: vp_e2e seed|run|hold|reg-dump|cache-list|services ...");
    return 2;
}

int run(const std::vector<std::string>& args) {
    vp::e2e::RunOptions options;
    std::size_t i = 1;
    for (; i + 1 < args.size() && args[i].starts_with("--"); i += 2) {
        if (args[i] == "--temp") {
            options.tempFolder = args[i + 1];
        } else if (args[i] == "--user") {
            options.userName = args[i + 1];
        } else if (args[i] == "--runs") {
            options.runs = std::stoi(args[i + 1]);
        } else {
            return usage();
        }
    }
    if (i + 1 != args.size()) {
        return usage();
    }
    if (args[i] != "none") {
        for (const std::string& box : vp::e2e::splitOn(args[i], ',')) {
            options.boxes.push_back(std::stoi(box));
        }
    }
    return vp::e2e::runCleaning(options);
}

} // namespace

int main() {
    const std::vector<std::string> args = vp::e2e::arguments();
    if (args.empty()) {
        return usage();
    }
    const std::string& command = args[0];
    if (command == "seed" && args.size() == 2) {
        return vp::e2e::seedFromScript(args[1]) ? 0 : 1;
    }
    if (command == "run") {
        return run(args);
    }
    if (command == "hold" && args.size() == 3) {
        return vp::e2e::holdOpen(args[1], args[2]);
    }
    if (command == "reg-dump" && args.size() == 2) {
        return vp::e2e::dumpRegistryKey(args[1]);
    }
    if (command == "cache-list" && args.size() == 1) {
        return vp::e2e::listCache();
    }
    if (command == "services" && args.size() == 2) {
        return vp::e2e::checkServices(args[1]) == 0 ? 0 : 1;
    }
    return usage();
}
