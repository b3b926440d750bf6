// What each SpecialDetect value looks for. Cleaners that know these values detect the
// application with their own built-in checks; here each one is spelled out as ordinary
// detection keys (registry keys and files, in the rules' own syntax), so that detecting it is
// the same work as detecting any other entry.
#pragma once

#include "rules/RuleModel.h"

#include <span>
#include <string_view>

namespace vp::rules {

struct SpecialDetectInfo {
    std::string_view code; // "DET_CHROME"
    SpecialDetection detection = SpecialDetection::None;
    std::string_view application;                  // for messages
    std::span<const std::string_view> detects;     // registry keys, as Detect= values
    std::span<const std::string_view> detectFiles; // files or folders, as DetectFile= values
    bool always = false;                           // detected on every Windows
};

std::span<const SpecialDetectInfo> knownSpecialDetects();

// The value's description (case-insensitive), or nullptr for a value this program does not know.
const SpecialDetectInfo* findSpecialDetect(std::string_view code);
const SpecialDetectInfo* findSpecialDetect(SpecialDetection detection);

} // namespace vp::rules
