// Sweeps a simulated tree of 100,000 files in 1,000 folders with ClearD and compares it with a
// bare loop that makes the same file-system calls without the sweeper's own work (listing
// controls, sorting, path building, the run log). Both run in this one process, one after the
// other, on identical trees; the ratio is what to read, the times only frame it.
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

// The platform calls ClearD makes for one folder, in the same number, with nothing else.
void bareSweep(vp::FileSystem& fs, const std::string& folder) {
    fs.listFolder(folder); // the folder list
    const auto entries = fs.listFolder(folder); // the file list that follows it
    fs.setAttributes(folder, vp::FileAttribute::Archive);
    for (const auto& entry : *entries) {
        const std::string path = folder + "\\" + entry.name;
        if ((entry.attributes & vp::FileAttribute::Directory) != 0) {
            continue;
        }
        fs.setAttributes(path, vp::FileAttribute::Archive);
        fs.deleteFile(path);
        fs.attributes(path);
    }
    for (const auto& entry : *entries) {
        if ((entry.attributes & vp::FileAttribute::Directory) != 0) {
            bareSweep(fs, folder + "\\" + entry.name);
        }
    }
    for (const auto& entry : *entries) {
        if ((entry.attributes & vp::FileAttribute::Directory) != 0) {
            fs.removeFolder(folder + "\\" + entry.name);
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
        bare = seconds([&] { bareSweep(files, Root); });
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
    std::printf("bare loop, same calls:  %.3f s, %.2f us per file\n", bare, bare / Files * 1e6);
    std::printf("ratio ClearD / bare:    %.2f (goal: at most 1.5)\n", swept / bare);
    std::printf("peak memory growth during the sweep: %ld KiB; run log itself: %zu KiB\n",
                peakAfter - peakBefore, logBytes / 1024);
    return 0;
}
