// A cleaning run of the real program logic on the Win32 services, with the recorded window of
// the simulation standing in for the native one.
#pragma once

#include <string>
#include <vector>

namespace vp::e2e {

// `options`: [--temp DIR] [--user NAME] [--runs N] BOX[,BOX...]|none. DIR is what the
// temporary-folder query reports, NAME the user name the load step reads, N the runs in a
// row in the same window, the BOXes the only ones ticked. Loads the window, prints List2 and
// List3 as the load step filled them, runs, and prints the run log and both lists again, in
// sections that start with "[List1]", "[List2]", "[List3]". 2 when the options are wrong.
int runCleaning(const std::vector<std::string>& options);

} // namespace vp::e2e
