// The few native (ntdll) file calls that Win32 does not offer: opening an item relative to an
// open folder's handle, listing a folder from its handle, and reading or changing an open item.
// These are what binds every change the sweeper makes to a handle it checked. Declared here
// with our own names, since the SDK headers declare them only partly and differently.
#pragma once

#include "platform/win32/Win32Handle.h"

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace vp::win32::nt {

using Status = LONG;
inline constexpr Status Success = 0;
inline constexpr Status BufferOverflow = static_cast<Status>(0x80000005);
inline constexpr Status NoMoreFiles = static_cast<Status>(0x80000006);
inline constexpr Status ObjectNameNotFound = static_cast<Status>(0xC0000034);
inline constexpr Status NoSuchFile = static_cast<Status>(0xC000000F);
inline constexpr Status DirectoryNotEmpty = static_cast<Status>(0xC0000101);
inline constexpr Status ObjectPathNotFound = static_cast<Status>(0xC000003A);
inline constexpr Status ObjectNameCollision = static_cast<Status>(0xC0000035);
inline constexpr Status SharingViolation = static_cast<Status>(0xC0000043);
inline constexpr Status AccessDenied = static_cast<Status>(0xC0000022);
inline constexpr Status CannotDelete = static_cast<Status>(0xC0000121);
inline constexpr Status DeletePending = static_cast<Status>(0xC0000056);
inline constexpr Status NotImplemented = static_cast<Status>(0xC0000002);
inline constexpr Status InvalidInfoClass = static_cast<Status>(0xC0000003);
inline constexpr Status InvalidParameter = static_cast<Status>(0xC000000D);
inline constexpr Status NotSupported = static_cast<Status>(0xC00000BB);

inline bool succeeded(Status status) {
    return status >= 0;
}

// Access rights and options of NtCreateFile that the SDK may lack.
inline constexpr ULONG OpenExisting = 1; // FILE_OPEN
inline constexpr ULONG CreateNew = 2;    // FILE_CREATE
inline constexpr ULONG DirectoryOnly = 0x00000001;
inline constexpr ULONG SynchronousIo = 0x00000020;
inline constexpr ULONG NonDirectoryOnly = 0x00000040;
inline constexpr ULONG OpenReparsePoint = 0x00200000;
inline constexpr ULONG ShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct BasicInformation {
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    ULONG fileAttributes;
};

// FILE_ID_FULL_DIR_INFORMATION: one entry of a folder listing.
struct DirectoryEntry {
    ULONG nextEntryOffset;
    ULONG fileIndex;
    LARGE_INTEGER creationTime;
    LARGE_INTEGER lastAccessTime;
    LARGE_INTEGER lastWriteTime;
    LARGE_INTEGER changeTime;
    LARGE_INTEGER endOfFile;
    LARGE_INTEGER allocationSize;
    ULONG fileAttributes;
    ULONG fileNameLength; // bytes
    ULONG eaSize;
    LARGE_INTEGER fileId;
    WCHAR fileName[1];
};

// Opens `name` relative to the open folder `root` (or a full NT path when `root` is null);
// `opened` holds the handle on success and nothing otherwise.
Status openRelative(HANDLE root, std::wstring_view name, ACCESS_MASK access, ULONG share,
                    ULONG disposition, ULONG options, OwnedHandle& opened);

// Fills `buffer` with entries of the folder, FILE_ID_FULL_DIR_INFORMATION; `restart` starts
// over. `mask`, when not empty, keeps the entries it matches (`*` wildcards); the system keeps
// the first mask a handle was listed with for all its later listings, restarts included, so a
// mask is only for a handle opened for that one listing. NoMoreFiles at the end.
Status listDirectory(HANDLE folder, void* buffer, ULONG size, bool restart,
                     std::wstring_view mask = {});

// What an open item is: read in one call of the system.
struct Identity {
    ULONG attributes = 0;
    ULONG links = 1;      // names of the file (hard links)
    std::uint64_t id = 0; // on its volume; 0 when the system has none
};
// False when the item cannot be asked.
bool queryIdentity(HANDLE item, Identity& identity);
// The reparse tag of an open reparse point; 0 when none or it cannot be read.
ULONG queryReparseTag(HANDLE item);
// True for the reparse points that stand for another name (symbolic links, junctions, mount
// points): the links. Others (cloud placeholders, compressed or deduplicated files) are not.
bool isNameSurrogate(ULONG tag);
// The name the system keeps for the open item ("\??\C:\folder\file" under Wine); false when it
// cannot be read. `name` keeps its room from call to call.
bool queryObjectName(HANDLE item, std::wstring& name);
Status setBasic(HANDLE item, ULONG attributes);
// Marks the open item for deletion: with POSIX semantics where the system offers them (its
// name goes at once, even while another program holds it open), the classic way elsewhere.
// With `ignoreReadOnly`, a read-only file goes without its attribute being changed, where the
// system can (Windows 10 1809 and later); elsewhere that fails with CannotDelete.
Status markForDeletion(HANDLE item, bool ignoreReadOnly = false);
// Renames the open item to `name` in the folder `root`, replacing what stands there.
Status renameInto(HANDLE item, HANDLE root, std::wstring_view name);
Status truncate(HANDLE item);

} // namespace vp::win32::nt
