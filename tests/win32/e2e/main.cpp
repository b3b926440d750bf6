// The Windows-side driver of the end-to-end tests under Wine: seeds a scratch profile through
// real Win32 calls, runs the program's cleaning run on the Win32 services, and reports what
// the shell scripts under tests/wine check.
//
//   vp_e2e seed SCRIPT                 see Seed.h
//   vp_e2e run [--temp DIR] [--unset VARIABLE] [--user NAME] [--runs N] BOX[,BOX...]|none
//   vp_e2e hold PATH FLAG              holds PATH open without sharing until FLAG exists
//   vp_e2e hold-shared PATH FLAG       the same, sharing reading, writing and deletion
//   vp_e2e reg-dump KEY                the values of HKEY_CURRENT_USER\KEY, one a line
//   vp_e2e cache-list                  the source names of the Internet cache's entries
//   vp_e2e services FOLDER             the service checks (FOLDER: an empty scratch folder)
//   vp_e2e save PATH TEXT              saves TEXT as the whole of PATH as the run log is saved;
//                                      prints "saved" or "refused"
#include "Checks.h"
#include "CleaningRunCommand.h"
#include "LookUps.h"
#include "Seed.h"
#include "ServiceChecks.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <shellapi.h>

int main() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args; // in UTF-8, without the program's own name
    for (int i = 1; i < count; ++i) {
        args.push_back(vp::win32::narrowUtf8(wide[i]));
    }
    LocalFree(wide);
    const std::string command = args.empty() ? "" : args[0];
    int status = 2;
    if (command == "seed" && args.size() == 2) {
        status = vp::e2e::seedFromScript(args[1]) ? 0 : 1;
    } else if (command == "run") {
        status = vp::e2e::runCleaning({args.begin() + 1, args.end()});
    } else if (command == "hold" && args.size() == 3) {
        status = vp::e2e::holdOpen(args[1], args[2], false);
    } else if (command == "hold-shared" && args.size() == 3) {
        status = vp::e2e::holdOpen(args[1], args[2], true);
    } else if (command == "reg-dump" && args.size() == 2) {
        status = vp::e2e::dumpRegistryKey(args[1]);
    } else if (command == "cache-list" && args.size() == 1) {
        status = vp::e2e::listCache();
    } else if (command == "save" && args.size() == 3) {
        vp::win32::Win32FileSystem files;
        const bool saved = files.replaceFileContents(args[1], args[2]);
        vp::testing::printLine(saved ? "saved" : "refused");
        status = 0;
    } else if (command == "services" && args.size() == 2) {
        status = vp::e2e::checkServices(args[1]) == 0 ? 0 : 1;
    }
    if (status == 2) {
        vp::testing::printLine("usage: vp_e2e seed|run|hold|reg-dump|cache-list|services|save ...");
    }
    return status;
}
