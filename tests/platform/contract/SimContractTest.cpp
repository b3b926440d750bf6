// The contract suites on the simulated platform, and on a preview over it.
#include "platform/contract/FileSystemContract.h"
#include "platform/contract/RegistryContract.h"
#include "platform/contract/ShellContract.h"
#include "platform/preview/PreviewPlatform.h"
#include "platform/sim/SimPlatform.h"

namespace vp::contract {
namespace {

class SimUnderTest {
public:
    static constexpr bool writesFiles = true;

    SimUnderTest() {
        sim_.files.folder(root());
        sim_.registry.key(registryKey());
    }

    Platform bundle() { return sim_.bundle(); }
    std::string root() const { return "C:\\contract"; }
    void makeFile(const std::string& path, const FileSeed& seed) {
        sim_.files.file(path, {.attributes = seed.attributes | FileAttribute::Archive,
                               .inUse = seed.heldOpen,
                               .contents = seed.bytes});
    }
    void makeFolder(const std::string& path) { sim_.files.folder(path); }
    void setAttributes(const std::string& path, std::uint32_t attributes) {
        sim_.files.setAttributes(path, attributes);
    }
    bool makeFolderLink(const std::string& path, const std::string& target) {
        sim_.files.folderLink(path, target);
        return true;
    }
    bool makeFileLink(const std::string& path, const std::string& target) {
        sim_.files.fileLink(path, target);
        return true;
    }
    std::optional<std::string> contents(const std::string& path) const {
        if (!sim_.files.exists(path)) {
            return std::nullopt;
        }
        return sim_.files.contents(path);
    }
    std::string registryKey() const { return "Software\\Vexoma Pellora contract"; }
    void makeKey(const std::string& path) { sim_.registry.key(path); }
    void setValue(const std::string& key, const std::string& name, std::uint32_t type,
                  std::string_view bytes) {
        sim_.registry.setRaw(key, name, type, bytes);
    }
    bool recycle(std::string_view bytes) {
        sim_.shell.recycled(root() + "\\recycled.txt", bytes.size());
        return true;
    }

private:
    sim::SimPlatform sim_;
};

// The preview is held to what its callers see: a deletion is only recorded, yet the file reads
// as gone through the preview's own listing and look-ups, as the run it previews would leave
// it. Only a replaced file's bytes differ: a preview writes nothing (writesFiles).
class PreviewUnderTest {
public:
    static constexpr bool writesFiles = false;

    Platform bundle() { return preview_.bundle(); }
    std::string root() const { return sim_.root(); }
    void makeFile(const std::string& path, const FileSeed& seed) { sim_.makeFile(path, seed); }
    void makeFolder(const std::string& path) { sim_.makeFolder(path); }
    void setAttributes(const std::string& path, std::uint32_t attributes) {
        sim_.setAttributes(path, attributes);
    }
    bool makeFolderLink(const std::string& path, const std::string& target) {
        return sim_.makeFolderLink(path, target);
    }
    bool makeFileLink(const std::string& path, const std::string& target) {
        return sim_.makeFileLink(path, target);
    }
    std::optional<std::string> contents(const std::string& path) const {
        return sim_.contents(path);
    }
    std::string registryKey() const { return sim_.registryKey(); }
    void makeKey(const std::string& path) { sim_.makeKey(path); }
    void setValue(const std::string& key, const std::string& name, std::uint32_t type,
                  std::string_view bytes) {
        sim_.setValue(key, name, type, bytes);
    }
    bool recycle(std::string_view bytes) { return sim_.recycle(bytes); }

private:
    SimUnderTest sim_;
    preview::PreviewPlatform preview_{sim_.bundle()};
};

static_assert(PlatformUnderTest<SimUnderTest> && PlatformUnderTest<PreviewUnderTest>);

using Platforms = ::testing::Types<SimUnderTest, PreviewUnderTest>;

struct PlatformName {
    template <class P> static std::string GetName(int /*index*/) {
        return std::is_same_v<P, SimUnderTest> ? "Sim" : "Preview";
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Contract, FileSystemContract, Platforms, PlatformName);
INSTANTIATE_TYPED_TEST_SUITE_P(Contract, RegistryContract, Platforms, PlatformName);
INSTANTIATE_TYPED_TEST_SUITE_P(Contract, ShellContract, Platforms, PlatformName);

} // namespace
} // namespace vp::contract
