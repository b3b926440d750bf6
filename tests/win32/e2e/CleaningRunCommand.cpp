// Assembles the program on the Win32 services for a test run; test driver only.
#include "CleaningRunCommand.h"

#include "Checks.h"
#include "app/Form1.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

namespace vp::e2e {
namespace {

using testing::printLine;

void printList(const char* title, const ListBox& list) {
    printLine(title);
    for (int i = 0; i < list.listCount(); ++i) {
        printLine(list.list(i));
    }
}

} // namespace

int runCleaning(const RunOptions& options) {
    if (!options.tempFolder.empty()) {
        // GetTempPath asks TMP first.
        SetEnvironmentVariableW(L"TMP", win32::widen(options.tempFolder).c_str());
    }
    if (!options.userName.empty()) {
        SetEnvironmentVariableW(L"USERNAME", win32::widen(options.userName).c_str());
    }
    win32::Win32Platform real;
    sim::SimWindowing windowing;
    sim::SimGraphics graphics;
    Platform platform{real.registry,      real.files,      real.environment, real.shell,
                      real.internetCache, real.urlHistory, real.memory,      windowing,
                      graphics,           real.narrowText};
    Form1 form(platform);
    form.Form_Load();
    printList("[List2 at load]", *form.List2);
    printList("[List3 at load]", *form.List3);
    for (int n = 1; n <= 20; ++n) {
        form.ch(n).setValue(0);
    }
    for (const int n : options.boxes) {
        form.ch(n).setValue(1);
    }
    for (int run = 0; run < options.runs; ++run) {
        form.Command1_Click();
        printList("[List1]", *form.List1);
    }
    printList("[List2]", *form.List2);
    printList("[List3]", *form.List3);
    return 0;
}

} // namespace vp::e2e
