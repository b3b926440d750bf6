// Assembles the program on the Win32 services for a test run; test driver only.
#include "CleaningRunCommand.h"

#include "Checks.h"
#include "app/Form1.h"
#include "platform/sim/SimGraphics.h"
#include "platform/sim/SimWindowing.h"
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <sstream>

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

int runCleaning(const std::vector<std::string>& options) {
    int runs = 1;
    std::size_t i = 0;
    for (; i + 1 < options.size(); i += 2) {
        const std::wstring value = win32::widen(options[i + 1]);
        if (options[i] == "--temp") {
            SetEnvironmentVariableW(L"TMP", value.c_str()); // GetTempPath asks TMP first
        } else if (options[i] == "--user") {
            SetEnvironmentVariableW(L"USERNAME", value.c_str());
        } else if (options[i] == "--unset") {
            SetEnvironmentVariableW(value.c_str(), nullptr);
        } else if (options[i] == "--runs") {
            runs = std::stoi(options[i + 1]);
        } else {
            return 2;
        }
    }
    if (i + 1 != options.size()) {
        return 2;
    }
    win32::Win32Platform real;
    sim::SimWindowing windowing;
    sim::SimGraphics graphics;
    Platform platform{real.registry,      real.files,      real.environment, real.shell,
                      real.internetCache, real.urlHistory, real.memory,      windowing,
                      graphics,           real.narrowText, real.processes};
    Form1 form(platform);
    form.Form_Load();
    printList("[List2 at load]", *form.List2);
    printList("[List3 at load]", *form.List3);
    for (int n = 1; n <= vp::TargetCount(); ++n) {
        form.ch(n).setValue(0);
    }
    std::istringstream boxes(options.back());
    for (std::string box; std::getline(boxes, box, ',');) {
        if (box != "none") {
            form.ch(std::stoi(box)).setValue(1);
        }
    }
    for (int run = 0; run < runs; ++run) {
        form.Command1_Click();
        printList("[List1]", *form.List1);
    }
    printList("[List2]", *form.List2);
    printList("[List3]", *form.List3);
    return 0;
}

} // namespace vp::e2e
