// Checks of every Win32 service against the contract its interface states, run on the real
// system (under Wine in the suites). Prints one line per failed check with the state that
// broke it, and a summary.
#pragma once

#include <string>

namespace vp::e2e {

// `folder`: an empty scratch folder the file checks may fill. 0 when every check passed.
int checkServices(const std::string& folder);

} // namespace vp::e2e
