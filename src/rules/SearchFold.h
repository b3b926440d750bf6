// Text folded for matching what a user types against names: letter case and the accents of
// Western European letters set aside ("Multimédia", "MULTIMEDIA" and "multimedia" agree).
#pragma once

#include <string>
#include <string_view>

namespace vp::rules {

std::string foldForSearch(std::string_view utf8);

} // namespace vp::rules
