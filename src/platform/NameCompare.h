// Windows compares file names without regard to case. This folding covers ASCII and the
// Latin-1 letters (the characters of Western European names); other characters compare as
// they are.
#pragma once

#include <string>
#include <string_view>

namespace vp {

std::string foldCase(std::string_view utf8);

// Ascending order of names compared without regard to case; equal folds fall back to the
// raw bytes so that the order is total.
bool nameLess(std::string_view a, std::string_view b);

bool namesEqual(std::string_view a, std::string_view b);

} // namespace vp
