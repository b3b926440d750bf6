// The parsed form of a winapp2.ini rules file: entries, their detection and cleaning keys,
// paths split into a root and segments, registry keys split into hive and subkey.
//
// Every text here is UTF-8 and a view into the RuleSet that produced it (or into static
// storage): a model lives as long as its RuleSet. Everything was checked when the file was
// read, so walking a path or a pattern list here cannot fail.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace vp::rules {

// ---------------------------------------------------------------------------------------------
// Paths

// The folder variables the format defines. Any other %NAME% is an environment variable.
enum class FolderVariable : std::uint8_t {
    AppData,
    LocalAppData,
    LocalLowAppData,
    CommonAppData,
    ProgramData,
    ProgramFiles,       // both Program Files folders on a 64-bit Windows
    CommonProgramFiles, // both Common Files folders on a 64-bit Windows
    Documents,
    Music,
    Pictures,
    Video,
    Desktop,
    Public,
    SystemDrive,
    UserProfile,
    WinDir,
    SystemRoot,
};

enum class RootKind : std::uint8_t {
    Drive,       // "C:"
    Folder,      // one of the FolderVariable names
    Environment, // %NAME% of any other name
};

struct PathRoot {
    RootKind kind = RootKind::Drive;
    FolderVariable folder = FolderVariable::AppData; // for RootKind::Folder
    // The drive ("C:") or the variable's name between the % signs, as written.
    std::string_view text;
};

// One folder name of a path: a literal name, or a pattern with `*` and `?` that is matched
// against the folder's listing (never expanded by string).
struct Segment {
    std::string_view text;
    bool wildcard = false;
};

// The folders under a root, walked one segment at a time.
class SegmentRange {
public:
    class Iterator {
    public:
        using value_type = Segment;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(std::string_view rest, std::size_t pos);
        Segment operator*() const;
        Iterator& operator++();
        Iterator operator++(int);
        bool operator==(const Iterator& other) const { return pos_ == other.pos_; }

    private:
        std::string_view rest_;
        std::size_t pos_ = 0;
        std::size_t end_ = 0;
    };

    explicit SegmentRange(std::string_view rest) : rest_(rest) {}
    Iterator begin() const { return Iterator(rest_, 0); }
    Iterator end() const { return Iterator(rest_, rest_.size() + 1); }
    bool empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

// A folder path of a rule: its root, then its folders. `rest` is the folders joined by single
// backslashes, without "." or "..", empty for the root itself.
struct PathSpec {
    PathRoot root;
    std::string_view rest;

    SegmentRange segments() const { return SegmentRange(rest); }
    bool hasWildcardSegment() const;
};

// One file name pattern. "*" and "*.*" both name every file.
struct Pattern {
    std::string_view text;
    bool wildcard = false;
    bool everything = false;
};

// The `;`-separated patterns of a FileKey or an ExcludeKey, never empty once parsed.
class PatternList {
public:
    class Iterator {
    public:
        using value_type = Pattern;
        using difference_type = std::ptrdiff_t;
        Iterator() = default;
        Iterator(std::string_view text, std::size_t pos);
        Pattern operator*() const;
        Iterator& operator++();
        Iterator operator++(int);
        bool operator==(const Iterator& other) const { return pos_ == other.pos_; }

    private:
        std::string_view text_;
        std::size_t pos_ = 0;
        std::size_t end_ = 0;
    };

    PatternList() = default;
    // `text` holds the patterns separated by single `;`, none empty.
    explicit PatternList(std::string_view text) : text_(text) {}
    Iterator begin() const { return Iterator(text_, 0); }
    Iterator end() const { return Iterator(text_, text_.size() + 1); }
    bool empty() const { return text_.empty(); }
    std::string_view text() const { return text_; }
    // True when one of the patterns names every file.
    bool matchesEverything() const;

private:
    std::string_view text_;
};

// ---------------------------------------------------------------------------------------------
// Registry

enum class Hive : std::uint8_t { CurrentUser, LocalMachine, Users, ClassesRoot, CurrentConfig };

struct RegistryPath {
    Hive hive = Hive::CurrentUser;
    // Below the hive, its names separated by single backslashes; empty for the hive itself.
    std::string_view subkey;
};

// "HKCU", "HKLM"...
std::string_view hiveShortName(Hive hive);

// ---------------------------------------------------------------------------------------------
// Keys

enum class FileKeyFlag : std::uint8_t {
    None,       // the files of that folder only
    Recurse,    // and of every folder below
    RemoveSelf, // as Recurse, and the folders left empty, the key's own folder included
};

struct FileKey {
    std::uint32_t line = 0;
    std::uint32_t number = 0; // 0 when the key was written without one
    PathSpec path;
    PatternList patterns;
    FileKeyFlag flag = FileKeyFlag::None;
};

struct RegKey {
    std::uint32_t line = 0;
    std::uint32_t number = 0;
    RegistryPath key;
    bool hasValue = false;  // one value of the key, not the key
    std::string_view value; // its name, when hasValue
};

enum class ExcludeKind : std::uint8_t {
    File,     // FILE|folder\|names: those files of that folder only
    Path,     // PATH|folder\|patterns: matching files of that folder and every folder below
    Registry, // REG|key or REG|key|value
};

struct ExcludeKey {
    std::uint32_t line = 0;
    std::uint32_t number = 0;
    ExcludeKind kind = ExcludeKind::File;
    PathSpec folder;   // File, Path
    PatternList names; // File, Path
    RegistryPath key;  // Registry
    bool hasValue = false;
    std::string_view value;
};

struct DetectKey {
    std::uint32_t line = 0;
    std::uint32_t number = 0; // "Detect" alone counts as 1
    RegistryPath key;
};

struct DetectFileKey {
    std::uint32_t line = 0;
    std::uint32_t number = 0;
    PathSpec path; // a file or a folder; wildcards in any segment
};

// ---------------------------------------------------------------------------------------------
// Entry-level keys

// A Windows kernel version ("6.1", "10.0.22000"); components not written are 0.
struct OsVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    auto operator<=>(const OsVersion&) const = default;
};

// One side of DetectOS. A bound compares only the components it wrote: "|6.1" takes in every
// build of 6.1.
struct OsBound {
    std::uint8_t parts = 0; // 0: no bound
    OsVersion version;
};

struct OsRange {
    OsBound min;
    OsBound max;
    bool contains(const OsVersion& version) const;
};

// What SpecialDetect names; see SpecialDetects.h for what each one looks for.
enum class SpecialDetection : std::uint8_t {
    None,    // no SpecialDetect key
    Unknown, // a value this program does not know: never detected
    Chrome,
    Firefox,
    Thunderbird,
    Opera,
    Edge,
    Safari,
    WindowsStore,
    Windows, // every Windows
};

struct Category {
    std::uint16_t langSecRef = 0; // 0 for a Section=, or for none
    std::string_view name;        // empty for none
};

struct Entry {
    std::string_view name; // as written between the brackets ("Contoso Viewer *")
    std::uint32_t line = 0;
    Category category;
    bool defaultOn = false;
    bool hasWarning = false;
    std::string_view warning;
    OsRange os;
    SpecialDetection special = SpecialDetection::None;
    std::span<const DetectKey> detects;
    std::span<const DetectFileKey> detectFiles;
    // Detection keys that could not be read: each counts as a detection that never succeeds,
    // so that an entry whose only detection key is broken is not taken for one that always
    // applies.
    std::uint32_t unusableDetections = 0;
    std::span<const FileKey> fileKeys;
    std::span<const RegKey> regKeys;
    std::span<const ExcludeKey> excludeKeys;
    // Never run: an exclusion or the Windows versions could not be read (see the diagnostics).
    bool refused = false;

    bool hasDetectionKeys() const {
        return special != SpecialDetection::None || !detects.empty() || !detectFiles.empty() ||
               unusableDetections != 0;
    }
};

// The name without the trailing " *" the format puts after every name.
std::string_view displayName(const Entry& entry);

} // namespace vp::rules
