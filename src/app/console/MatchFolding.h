// How the console program compares what a user types with its own names: without regard to
// case or accents, so that "--APERÇU", "--apercu", "Corbeille" and "corbeille" all match.
#pragma once

#include <string>
#include <string_view>

namespace vp::console {

// `text` (UTF-8) in lower case, with the accented Latin letters turned into their base letter
// ("É" and "é" into "e", "Ç" into "c", "Œ" into "oe"); anything else is kept as it is.
std::string FoldForMatching(std::string_view text);

} // namespace vp::console
