// A cleaning run of the real program logic on the Win32 services, with the recorded window of
// the simulation standing in for the native one.
#pragma once

#include <string>
#include <vector>

namespace vp::e2e {

struct RunOptions {
    std::vector<int> boxes; // the check boxes ticked; every other box is cleared
    std::string tempFolder; // when set, the temporary-folder query reports this folder
    std::string userName;   // when set, the user name the load step reads
    int runs = 1;           // cleaning runs in a row, in the same window
};

// Loads the window, prints List2 and List3 as the load step filled them, runs, and prints the
// run log and both lists again. Sections start with "[List1]", "[List2]", "[List3]".
int runCleaning(const RunOptions& options);

} // namespace vp::e2e
