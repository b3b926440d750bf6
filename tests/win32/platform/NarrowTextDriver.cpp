// The Windows side's narrow text against the simulated platform's, under Wine's default
// Western code page (1252): the same bytes for every string, and no best-fit look-alikes for
// the characters the code page cannot hold. Prints one "ok"/"FAIL" line per check; the exit
// code is the number of failures.
#include "Checks.h"

#include "platform/NarrowText.h"
#include "platform/win32/Win32NarrowText.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

using vp::testing::check;

std::string shown(const std::string& bytes) {
    std::string out;
    for (const unsigned char c : bytes) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        out += c < 0x20 || c >= 0x7F ? hex : std::string(1, static_cast<char>(c));
    }
    return '"' + out + '"';
}

} // namespace

int main() {
    const vp::win32::Win32NarrowText windows;
    const vp::Windows1252Text simulated;
    if (!check(GetACP() == 1252, "the prefix's ANSI code page is 1252",
               "code page " + std::to_string(GetACP()))) {
        return vp::testing::summary();
    }

    // A name of the run log with letters outside the code page: each becomes '?', the rest
    // stays. Best fit would give "Lodz-?.tmp".
    const std::string polish = windows.toNarrow("Łódź-中.tmp");
    check(polish == "?\xF3"
                    "d?-?.tmp",
          "\"Łódź-中.tmp\" keeps ó and puts '?' for Ł, ź and 中", shown(polish));

    // Letters and signs that Windows would map to a look-alike with best fit.
    const std::string lookAlikes = windows.toNarrow("ĀăĆčĐ ＡＢ ∞ ≤ ‐");
    check(lookAlikes == "????? ?? ? ? ?",
          "look-alikes (Latin Extended-A, full width, ∞ ≤ ‐) are '?'", shown(lookAlikes));

    // Both platforms give the same bytes, and text of the code page comes back unchanged.
    const char* const samples[] = {
        "Récent.doc",
        "€ œ Ÿ ‰ ƒ … † ‡ ˆ Š ‹ Œ Ž ‘ ’ “ ” • – — ˜ ™ š › ž",
        "àéîõü ÀÉÎÕÜ ß ÿ ¤ ©",
        "C:\\Temp\\Łódź-中.tmp",
        "日本.txt",
        "Ελληνικά",
        "tab\tand\r\nline ends",
        "",
    };
    std::string disagreements;
    std::string changed;
    for (const char* sample : samples) {
        const std::string narrow = windows.toNarrow(sample);
        if (narrow != simulated.toNarrow(sample)) {
            disagreements += "\n    " + std::string(sample) + ": " + shown(narrow) +
                             " on Windows, " + shown(simulated.toNarrow(sample)) + " simulated";
        }
        const bool inCodePage = narrow.find('?') == std::string::npos;
        if (inCodePage && windows.fromNarrow(narrow) != sample) {
            changed +=
                "\n    " + std::string(sample) + " came back as " + windows.fromNarrow(narrow);
        }
    }
    check(disagreements.empty(), "the Windows and simulated conversions give the same bytes",
          disagreements);
    check(changed.empty(), "text of the code page comes back unchanged from its narrow form",
          changed);
    return vp::testing::summary();
}
