#include "rules/EntryCleaner.h"

#include "rules/Exclusions.h"
#include "rules/FileKeyCleaner.h"
#include "rules/RegKeyCleaner.h"

namespace vp::rules {

void cleanEntry(const Platform& platform, const Entry& entry, RootExpander& expander,
                ItemTally& tally) {
    if (entry.refused) {
        return;
    }
    const Exclusions exclusions(entry.excludeKeys, expander);
    for (const FileKey& key : entry.fileKeys) {
        runFileKey(platform.fileSystem, key, expander, exclusions, tally);
    }
    for (const RegKey& key : entry.regKeys) {
        runRegKey(platform.registry, platform.narrowText, key, exclusions, tally);
    }
}

} // namespace vp::rules
