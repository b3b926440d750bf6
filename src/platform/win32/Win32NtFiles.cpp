// Native file calls, looked up once in ntdll (present on every Windows NT and under Wine).
#include "platform/win32/Win32NtFiles.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace vp::win32::nt {
namespace {

struct CountedText {
    USHORT length; // bytes
    USHORT maximumLength;
    PWSTR buffer;
};

struct ObjectAttributes {
    ULONG length;
    HANDLE rootDirectory;
    CountedText* objectName;
    ULONG attributes;
    PVOID securityDescriptor;
    PVOID securityQualityOfService;
};

struct IoStatus {
    union {
        Status status;
        PVOID pointer;
    };
    ULONG_PTR information;
};

constexpr ULONG CaseInsensitive = 0x40; // OBJ_CASE_INSENSITIVE
constexpr int FileBasicInformationClass = 4;
constexpr int FileStandardInformationClass = 5;
constexpr int FileInternalInformationClass = 6;
constexpr int FileAttributeTagInformationClass = 35;
constexpr int FileDispositionInformationExClass = 64;
constexpr int ObjectNameInformationClass = 1;
constexpr int FileRenameInformationClass = 10;
constexpr int FileDispositionInformationClass = 13;
constexpr int FileEndOfFileInformationClass = 20;
constexpr int FileIdFullDirectoryInformationClass = 38;

using CreateFileFn = Status(WINAPI*)(HANDLE*, ACCESS_MASK, ObjectAttributes*, IoStatus*,
                                     LARGE_INTEGER*, ULONG, ULONG, ULONG, ULONG, PVOID, ULONG);
using QueryDirectoryFn = Status(WINAPI*)(HANDLE, HANDLE, PVOID, PVOID, IoStatus*, PVOID, ULONG, int,
                                         BOOLEAN, CountedText*, BOOLEAN);
using QueryInformationFn = Status(WINAPI*)(HANDLE, IoStatus*, PVOID, ULONG, int);
using SetInformationFn = Status(WINAPI*)(HANDLE, IoStatus*, PVOID, ULONG, int);
using QueryObjectFn = Status(WINAPI*)(HANDLE, int, PVOID, ULONG, ULONG*);

template <typename Fn> Fn entry(const char* name) {
    static HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(ntdll, name)));
}

const auto ntCreateFile = entry<CreateFileFn>("NtCreateFile");
const auto ntQueryDirectoryFile = entry<QueryDirectoryFn>("NtQueryDirectoryFile");
const auto ntQueryInformationFile = entry<QueryInformationFn>("NtQueryInformationFile");
const auto ntSetInformationFile = entry<SetInformationFn>("NtSetInformationFile");
const auto ntQueryObject = entry<QueryObjectFn>("NtQueryObject");

CountedText counted(std::wstring_view text) {
    const auto bytes = static_cast<USHORT>(text.size() * sizeof(wchar_t));
    return {bytes, bytes, const_cast<PWSTR>(text.data())};
}

Status setInformation(HANDLE item, void* data, ULONG size, int informationClass) {
    IoStatus io{};
    return ntSetInformationFile(item, &io, data, size, informationClass);
}

} // namespace

Status openRelative(HANDLE root, std::wstring_view name, ACCESS_MASK access, ULONG share,
                    ULONG disposition, ULONG options, OwnedHandle& opened) {
    opened.reset();
    if (name.empty() || name.size() > 32767) {
        return ObjectNameNotFound;
    }
    CountedText text = counted(name);
    ObjectAttributes attributes{sizeof(ObjectAttributes), root,    &text,
                                CaseInsensitive,          nullptr, nullptr};
    IoStatus io{};
    HANDLE handle = nullptr;
    const Status status = ntCreateFile(&handle, access | SYNCHRONIZE, &attributes, &io, nullptr,
                                       FILE_ATTRIBUTE_NORMAL, share, disposition,
                                       options | SynchronousIo, nullptr, 0);
    if (succeeded(status)) {
        opened = OwnedHandle(handle);
    }
    return status;
}

Status listDirectory(HANDLE folder, void* buffer, ULONG size, bool restart,
                     std::wstring_view mask) {
    IoStatus io{};
    CountedText text = counted(mask);
    return ntQueryDirectoryFile(folder, nullptr, nullptr, nullptr, &io, buffer, size,
                                FileIdFullDirectoryInformationClass, FALSE,
                                mask.empty() ? nullptr : &text, restart ? TRUE : FALSE);
}

bool queryIdentity(HANDLE item, Identity& identity) {
    // Three fixed-size answers; under Wine each is read from the host's file status once the
    // handle's descriptor is known, so the three cost one trip to the Wine server.
    IoStatus io{};
    BasicInformation basic{};
    struct {
        LARGE_INTEGER allocationSize;
        LARGE_INTEGER endOfFile;
        ULONG numberOfLinks;
        BOOLEAN deletePending;
        BOOLEAN directory;
    } standard{};
    LARGE_INTEGER id{};
    if (!succeeded(
            ntQueryInformationFile(item, &io, &basic, sizeof basic, FileBasicInformationClass)) ||
        !succeeded(ntQueryInformationFile(item, &io, &standard, sizeof standard,
                                          FileStandardInformationClass))) {
        return false;
    }
    identity.attributes = basic.fileAttributes;
    identity.links = standard.numberOfLinks;
    identity.id =
        succeeded(ntQueryInformationFile(item, &io, &id, sizeof id, FileInternalInformationClass))
            ? static_cast<std::uint64_t>(id.QuadPart)
            : 0;
    return true;
}

ULONG queryReparseTag(HANDLE item) {
    IoStatus io{};
    struct {
        ULONG fileAttributes;
        ULONG reparseTag;
    } tag{};
    if (!succeeded(ntQueryInformationFile(item, &io, &tag, sizeof tag,
                                          FileAttributeTagInformationClass))) {
        return 0;
    }
    return tag.reparseTag;
}

bool isNameSurrogate(ULONG tag) {
    return (tag & 0x20000000) != 0; // IsReparseTagNameSurrogate
}

bool queryObjectName(HANDLE item, std::wstring& name) {
    // Room for the longest name there is (32,767 characters), kept for the next call.
    thread_local std::vector<unsigned char> answer(sizeof(CountedText) + 65536 + 16);
    ULONG needed = 0;
    if (!succeeded(ntQueryObject(item, ObjectNameInformationClass, answer.data(),
                                 static_cast<ULONG>(answer.size()), &needed))) {
        return false;
    }
    CountedText text{};
    std::memcpy(&text, answer.data(), sizeof text);
    name.assign(text.buffer, text.length / sizeof(wchar_t));
    return true;
}

Status setBasic(HANDLE item, ULONG attributes) {
    BasicInformation basic{}; // zero times: left as they are
    basic.fileAttributes = attributes != 0 ? attributes : FILE_ATTRIBUTE_NORMAL;
    return setInformation(item, &basic, sizeof basic, FileBasicInformationClass);
}

Status markForDeletion(HANDLE item, bool ignoreReadOnly) {
    // Which extended dispositions the system takes, learnt from its first answers.
    static bool extendedUnknown = false;
    static bool ignoreReadOnlyUnknown = false;
    constexpr ULONG Delete = 0x1;
    constexpr ULONG PosixSemantics = 0x2;
    constexpr ULONG IgnoreReadOnly = 0x10;
    const auto unsupported = [](Status status) {
        return status == NotImplemented || status == InvalidInfoClass || status == NotSupported;
    };
    if (!extendedUnknown && !(ignoreReadOnly && ignoreReadOnlyUnknown)) {
        ULONG flags = Delete | PosixSemantics | (ignoreReadOnly ? IgnoreReadOnly : 0);
        Status status =
            setInformation(item, &flags, sizeof flags, FileDispositionInformationExClass);
        if (status == InvalidParameter && ignoreReadOnly) {
            ignoreReadOnlyUnknown = true; // POSIX semantics without this flag (1709 to 1803)
        } else if (unsupported(status)) {
            extendedUnknown = true;
        } else {
            return status;
        }
    }
    if (ignoreReadOnly) {
        return CannotDelete;
    }
    BOOLEAN deleteFile = TRUE;
    return setInformation(item, &deleteFile, sizeof deleteFile, FileDispositionInformationClass);
}

Status renameInto(HANDLE item, HANDLE root, std::wstring_view name) {
    // FILE_RENAME_INFORMATION: a flag, the folder the name is relative to, the name.
    struct Header {
        BOOLEAN replaceIfExists;
        HANDLE rootDirectory;
        ULONG fileNameLength;
    };
    std::vector<unsigned char> data(offsetof(Header, fileNameLength) + sizeof(ULONG) +
                                    (name.size() + 1) * sizeof(wchar_t) + sizeof(Header));
    Header header{TRUE, root, static_cast<ULONG>(name.size() * sizeof(wchar_t))};
    std::memcpy(data.data(), &header, sizeof header);
    std::memcpy(data.data() + offsetof(Header, fileNameLength) + sizeof(ULONG), name.data(),
                name.size() * sizeof(wchar_t));
    return setInformation(item, data.data(), static_cast<ULONG>(data.size()),
                          FileRenameInformationClass);
}

Status truncate(HANDLE item) {
    LARGE_INTEGER end{};
    return setInformation(item, &end, sizeof end, FileEndOfFileInformationClass);
}

} // namespace vp::win32::nt
