// The Internet cache targets: the entries listed at start-up are deleted by name once per
// start, then the cookie and cache folders are swept on every run.
#include "app/Form1.h"

#include "platform/InternetCache.h"
#include "platform/NarrowText.h"
#include "platform/Registry.h"
#include "platform/Windowing.h"
#include "registry/RegistryHelpers.h"
#include "targets/ShellFolders.h"

namespace vp {

void Form1::Cookies() {
    BeginTarget(&Form1::Cookies);
    DeleteListedCacheEntries(*List2, bCookiesDone);
    ClearD(GetRegString(platform_, CurrentUserHive, ShellFoldersKey, "Cookies", ""));
    EndLogSection();
}

void Form1::IETemp() {
    BeginTarget(&Form1::IETemp);
    DeleteListedCacheEntries(*List3, bCacheDone);
    ClearD(GetRegString(platform_, CurrentUserHive, ShellFoldersKey, "Cache", ""));
    EndLogSection();
}

void Form1::DeleteListedCacheEntries(ListBox& list, bool& done) {
    if (done) {
        return;
    }
    const int count = list.listCount();
    for (int i = 0; i < count; ++i) {
        const std::string name = list.list(i);
        // An entry already gone or in use is still logged and marked: the list records what
        // was asked for, not what the cache did.
        DeleteCacheEntry(name);
        AppendLogLine(name);
        // Replaced in place, so every later line keeps its index.
        list.removeItem(i);
        list.insertItem(i, "Effacé");
    }
    done = true;
}

bool Form1::DeleteCacheEntry(std::string_view sourceUrlName) {
    const std::string name = platform_.narrowText.toNarrow(sourceUrlName);
    const auto entry = platform_.internetCache.inspectEntry(name);
    const bool deleted = platform_.internetCache.deleteEntry(name);
    if (deleted) {
        Totals& counted = totals.current();
        ++counted.cacheEntries;
        counted.cacheBytes += entry ? entry->size : 0;
    }
    return deleted;
}

} // namespace vp
