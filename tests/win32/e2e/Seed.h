// Seeding a scratch Windows profile through the real Win32 calls, from a small script: one
// item a line, fields separated by tabs.
//
//   dir    PATH
//   file   PATH  [LETTERS]          content "x"; LETTERS among r, h, s (read-only, hidden, system)
//   sz     KEY   NAME  TEXT         string value under HKEY_CURRENT_USER
//   binary KEY   NAME  HEX          binary value
//   cache  URL   normal|cookie  CONTENT   an Internet cache entry with its local file
//
// Empty lines are skipped. Every failure is printed with its line.
#pragma once

#include <string>

namespace vp::e2e {

// True when the script was read and every line took effect.
bool seedFromScript(const std::string& scriptPath);

} // namespace vp::e2e
