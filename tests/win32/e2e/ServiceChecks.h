// Checks of the Win32 services against the contracts their interfaces state, on the real
// system (under Wine in the suites), for what no cleaning run in the suites shows: boundaries,
// failures and refusals. One line per check, with the state that broke a failed one.
#pragma once

#include <string>

namespace vp::e2e {

// `folder`: an empty scratch folder the file checks may fill. The number of failed checks.
int checkServices(const std::string& folder);

} // namespace vp::e2e
