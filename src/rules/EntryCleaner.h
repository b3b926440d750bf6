// Cleans one entry: its FileKeys in number order, then its RegKeys, its ExcludeKeys kept out
// of both. Run on a preview platform, the same calls only record what they would do.
#pragma once

#include "platform/Platform.h"
#include "rules/ItemTally.h"
#include "rules/RootExpansion.h"
#include "rules/RuleModel.h"

namespace vp::rules {

void cleanEntry(const Platform& platform, const Entry& entry, RootExpander& expander,
                ItemTally& tally);

} // namespace vp::rules
