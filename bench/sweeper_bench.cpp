// Sweeps a simulated tree of 100,000 files in 1,000 folders with ClearD and compares it with the
// minimal loop over the same folder handles (no sorting, filtering, path building or run log). Both
// run in this one process, one after the other, on identical trees; the ratio is what to read, the
// times only frame it.
#include "app/Form1.h"
#include "platform/sim/SimPlatform.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int Folders = 1000;
constexpr int FilesPerFolder = 100;
const std::string Root = R"(C:\Bench)";

void buildTree(vp::sim::SimFileSystem& files) {
    for (int d = 0; d < Folders; ++d) {
        const std::string folder = Root + R"(\folder)" + std::to_string(d);
        for (int f = 0; f < FilesPerFolder; ++f) {
            files.file(folder + R"(\file)" + std::to_string(f) + ".tmp");
        }
    }
}

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The minimal sweep on the same service: one listing per folder, each file deleted through
// the folder, subfolders entered and removed; no sorting, no filtering, no path building, no log.
void bareSweep(vp::Folder& folder) {
    const auto entries = folder.list();
    for (const auto& entry : *entries) {
        if ((entry.attributes & vp::FileAttribute::Directory) == 0) {
            folder.deleteFile(entry.name, std::nullopt);
        } else if (auto sub = folder.openFolder(entry.name)) {
            bareSweep(*sub);
        }
    }
    for (const auto& entry : *entries) {
        if ((entry.attributes & vp::FileAttribute::Directory) != 0) {
            folder.removeFolder(entry.name);
        }
    }
}

template <typename F> double seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main() {
    constexpr double Files = double{Folders} * FilesPerFolder;

    double bare = 0;
    {
        vp::sim::SimFileSystem files;
        buildTree(files);
        bare = seconds([&] { bareSweep(*files.openFolder(Root)); });
    }

    vp::sim::SimPlatform sim;
    buildTree(sim.files);
    vp::Platform platform = sim.bundle();
    vp::Form1 form(platform);
    const long peakBefore = peakKilobytes();
    const double swept = seconds([&] { form.ClearD(Root); });
    const long peakAfter = peakKilobytes();

    std::size_t logBytes = 0;
    for (int i = 0; i < form.List1->listCount(); ++i) {
        logBytes += form.List1->list(i).size() + sizeof(std::string);
    }
    std::printf("files swept:            %d (log lines)\n", form.List1->listCount());
    std::printf("ClearD:                 %.3f s, %.2f us per file\n", swept, swept / Files * 1e6);
    std::printf("minimal loop:           %.3f s, %.2f us per file\n", bare, bare / Files * 1e6);
    std::printf("ratio ClearD / minimal:    %.2f (goal: at most 1.5)\n", swept / bare);
    std::printf("peak memory growth during the sweep: %ld KiB; run log itself: %zu KiB\n",
                peakAfter - peakBefore, logBytes / 1024);
    return 0;
}
