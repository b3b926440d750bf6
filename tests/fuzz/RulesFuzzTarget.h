// One input of the rules reader's fuzz target: read any bytes as a rules file, then use
// everything it gives (expansion, selection, messages) and check what the reader promises.
// Shared by the libFuzzer program (rules_fuzzer.cpp) and the bounded regression run of the
// unit tests (RulesFuzzRegressionTest.cpp).
#pragma once

#include <string>
#include <string_view>

namespace vp::fuzz {

// Empty when every promise holds; otherwise what broke, first broken promise only.
std::string checkRulesInput(std::string_view bytes);

} // namespace vp::fuzz
