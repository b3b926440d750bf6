// The check report of the Windows test drivers; plain Win32, no program logic.
#include "Checks.h"

#include <windows.h>

#include <string>

namespace vp::testing {
namespace {
int failures = 0;
} // namespace

void printLine(std::string_view line) {
    std::string bytes(line);
    bytes += '\n';
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

bool check(bool passed, std::string_view what, std::string_view detail) {
    printLine(std::string(passed ? "ok - " : "FAIL - ") + std::string(what));
    if (!passed) {
        ++failures;
        if (!detail.empty()) {
            printLine("    " + std::string(detail));
        }
    }
    return passed;
}

int summary() {
    printLine(std::to_string(failures) + " failure(s)");
    return failures;
}

} // namespace vp::testing
