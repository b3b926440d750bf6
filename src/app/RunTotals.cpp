#include "app/RunTotals.h"

namespace vp {

Totals& Totals::operator+=(const Totals& other) {
    files += other.files;
    fileBytes += other.fileBytes;
    keptFiles += other.keptFiles;
    folders += other.folders;
    keptFolders += other.keptFolders;
    registryValues += other.registryValues;
    cacheEntries += other.cacheEntries;
    cacheBytes += other.cacheBytes;
    recycledItems += other.recycledItems;
    recycledBytes += other.recycledBytes;
    keptRecycledItems += other.keptRecycledItems;
    refused.insert(refused.end(), other.refused.begin(), other.refused.end());
    return *this;
}

Totals RunTotals::sum() const {
    Totals all;
    for (const Totals& totals : byTarget_) {
        all += totals;
    }
    return all;
}

} // namespace vp
