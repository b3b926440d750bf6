// Wine shows the host's symbolic links as the files and folders they lead to: no reparse
// point, and a deletion through the link's name deletes its target. Wine never tells a link
// from its target by attributes or file id; only the name it keeps for an open handle (the
// target's real path) gives it away, and that name drops the dots and blanks that end a
// component, so "sweep.\x" reads like "sweep\x". The file service therefore checks, under Wine
// only, every item it opens to change: the handle's name must be the folder's name and the
// listed name, letter case included, and names that the dropped dots and blanks would make
// ambiguous are refused outright. Identity (file id) checks close the swaps made after a
// listing; the name checks close the links planted before it.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace vp::win32::wine {

bool running();

// `name` the way Wine spells it for a handle: every component without its trailing dots and
// blanks.
std::wstring spelling(std::wstring_view name);

// The name Wine keeps for the open item `handle`, as spelling() gives it ("\??\C:\folder\file");
// empty when it cannot be read.
std::wstring keptName(HANDLE handle);

// `folder`'s kept name joined with `name`, as spelling() gives it.
std::wstring childName(const std::wstring& folder, std::wstring_view name);

// True when the folder `parent` holds, besides `name`, an entry that Wine would name the same
// (`name` with other trailing dots or blanks).
bool hasLookAlike(HANDLE parent, std::wstring_view name);

// True when the folder named `keptName` ("\??\C:\a\b") or a folder above it has a look-alike
// sibling, or the name cannot be checked.
bool ancestorsHaveLookAlikes(std::wstring_view keptName);

// The spellings shared by two or more of `names`.
std::unordered_set<std::wstring> sharedSpellings(const std::vector<std::wstring>& names);

} // namespace vp::win32::wine
