// A rule path's root made real: its variable looked up among the system's known folders or
// the process's environment, giving the folders the path may start from (two for
// %ProgramFiles% on a 64-bit Windows). Only the root is expanded here: the folders after it,
// wildcards included, are left to be walked through folder handles, never matched as strings.
#pragma once

#include "rules/RuleModel.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vp {
class Environment;
class KnownFolders;
} // namespace vp

namespace vp::rules {

struct ExpandedPath {
    // An absolute folder ("C:\Users\Camille\AppData\Roaming", "C:" for a drive's root,
    // "\\server\share\..." on a network), without a trailing backslash and without "." or "..".
    std::string root;
    std::string_view rest; // the rule path's folders below the root, as in PathSpec

    SegmentRange segments() const { return SegmentRange(rest); }
    // The root and the folders after it up to the first wildcard: where a walk starts.
    std::string literalPrefix() const;
    // The whole path as text, wildcards kept, for messages.
    std::string text() const;
};

enum class ExpansionFailure : std::uint8_t {
    None,
    VariableUnset, // no environment variable of that name
    FolderUnknown, // the system names no such folder for this user
    NotAbsolute,   // the variable's value is not a full path (relative, or empty)
    BadRoot,       // a full path all the same unusable: wildcards, forbidden characters, a
                   // device or extended form, ".." above its drive
};

std::string_view expansionFailureCode(ExpansionFailure failure);

struct Expansion {
    std::vector<ExpandedPath> candidates; // empty when the root could not be expanded
    ExpansionFailure failure = ExpansionFailure::None;
    std::string variable; // the root as written, for messages
    std::string value;    // what the variable gave, when it gave something unusable
};

// "la variable %Temp% n'est pas définie", "%Foo% vaut « relatif\dossier », qui n'est pas un
// chemin complet".
std::string frenchExpansionFailure(const Expansion& expansion);

// `value` as a root: separators made backslashes, "." and ".." settled, trailing backslash
// dropped. ExpansionFailure::None when it is a usable absolute folder.
ExpansionFailure normalizeRoot(std::string_view value, std::string& out);

class RootExpander {
public:
    // Both are only asked, each root once; they must outlive the expander.
    RootExpander(KnownFolders& folders, Environment& environment);

    Expansion expand(const PathSpec& path);

    struct Roots {
        std::vector<std::string> folders;
        ExpansionFailure failure = ExpansionFailure::None;
        std::string value;
    };
    // The folders a root stands for, looked up on first use and kept.
    const Roots& roots(const PathRoot& root);

private:
    Roots lookUp(const PathRoot& root);
    std::vector<std::string> knownFolders(FolderVariable variable, ExpansionFailure& failure,
                                          std::string& value);

    KnownFolders& folders_;
    Environment& environment_;
    std::map<std::string, Roots> cache_;
};

} // namespace vp::rules
