// The report of the Windows test drivers: one "ok - what" or "FAIL - what" line per check,
// with the state that broke a failed one indented below it, in UTF-8 whatever the console's
// code page.
#pragma once

#include <string_view>

namespace vp::testing {

// Returns `passed`, so that a check can guard the steps that need it.
bool check(bool passed, std::string_view what, std::string_view detail = {});

// Writes `line` and a line feed to standard output as UTF-8 bytes.
void printLine(std::string_view line);

// Prints the number of failed checks and returns it, as the driver's exit status.
int summary();

} // namespace vp::testing
