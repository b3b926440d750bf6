// A preview of the temporary-files target against the real run of it, on the simulated tree of
// 100,000 files in 1,000 folders (the sweeper benchmark's). Both are the same run on two
// identical trees, taking turns round by round so that other work on the machine weighs on
// both alike; the ratio of their best rounds is what to read (goal: at most 1.2). It also
// prints how much the preview's record holds at the end: what the run would change, not the
// tree. The console program runs the same with every item recorded (its report item by item):
// the clean and the preview with that record are timed too (goal: at most 1.10 times without).
#include "app/Form1.h"
#include "platform/preview/PreviewPlatform.h"
#include "platform/record/RecordingPlatform.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int Folders = 1000;
constexpr int FilesPerFolder = 100;
constexpr int Rounds = 9;
const std::string Root = R"(C:\Bench)";

void buildTree(vp::sim::SimPlatform& sim) {
    sim.environment.setTempPath(Root + '\\');
    for (int d = 0; d < Folders; ++d) {
        const std::string folder = Root + R"(\folder)" + std::to_string(d);
        for (int f = 0; f < FilesPerFolder; ++f) {
            sim.files.file(folder + R"(\file)" + std::to_string(f) + ".tmp");
        }
    }
}

// The run with only the temporary-files target checked; returns its seconds.
double timedRun(vp::Platform platform) {
    vp::Form1 form(platform);
    form.Form_Load();
    for (int n = 1; n <= 20; ++n) {
        form.ch(n).setValue(n == 6 ? 1 : 0);
    }
    const auto start = std::chrono::steady_clock::now();
    form.Command1_Click();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (form.List1->listCount() != Folders * FilesPerFolder + 2) {
        std::fprintf(stderr, "unexpected run log of %d lines\n", form.List1->listCount());
    }
    return seconds;
}

// The same run with every item recorded, as the console program makes it.
double timedRecordedRun(vp::Platform platform, std::size_t& items) {
    vp::record::ItemJournal journal([] { return 6; });
    vp::record::RecordingPlatform recording(platform, journal);
    const double seconds = timedRun(recording.bundle());
    items = journal.entries().size();
    return seconds;
}

} // namespace

int main() {
    double bestRecordedReal = 1e9;
    double bestRecordedPreview = 1e9;
    std::size_t items = 0;
    double bestReal = 1e9;
    double bestPreview = 1e9;
    std::size_t recordNames = 0;
    std::size_t recordFolders = 0;
    for (int round = 0; round < Rounds; ++round) {
        {
            vp::sim::SimPlatform sim;
            buildTree(sim);
            bestReal = std::min(bestReal, timedRun(sim.bundle()));
        }
        {
            vp::sim::SimPlatform sim;
            buildTree(sim);
            const vp::Platform inner = sim.bundle();
            vp::preview::PreviewPlatform preview(inner);
            bestPreview = std::min(bestPreview, timedRun(preview.bundle()));
            recordNames = preview.files.overlay().namesHeld();
            recordFolders = preview.files.overlay().foldersWithChanges();
            if (sim.files.tree(Root).size() != Folders * (FilesPerFolder + 1)) {
                std::fprintf(stderr, "the preview changed the tree\n");
                return 1;
            }
        }
        {
            vp::sim::SimPlatform sim;
            buildTree(sim);
            bestRecordedReal = std::min(bestRecordedReal, timedRecordedRun(sim.bundle(), items));
        }
        {
            vp::sim::SimPlatform sim;
            buildTree(sim);
            const vp::Platform inner = sim.bundle();
            vp::preview::PreviewPlatform preview(inner);
            bestRecordedPreview =
                std::min(bestRecordedPreview, timedRecordedRun(preview.bundle(), items));
        }
    }
    std::printf("files: %d in %d folders, best of %d rounds each\n", Folders * FilesPerFolder,
                Folders, Rounds);
    std::printf("real run:  %.3f s\n", bestReal);
    std::printf("preview:   %.3f s\n", bestPreview);
    std::printf("preview / real run: %.2f (goal: at most 1.20)\n", bestPreview / bestReal);
    std::printf("real run, every item recorded:  %.3f s (%zu items)\n", bestRecordedReal, items);
    std::printf("preview, every item recorded:   %.3f s\n", bestRecordedPreview);
    std::printf("recorded / plain real run: %.2f (goal: at most 1.10)\n",
                bestRecordedReal / bestReal);
    std::printf("recorded preview / recorded real run: %.2f (goal: at most 1.20)\n",
                bestRecordedPreview / bestRecordedReal);
    std::printf("preview's record at the end: %zu names in %zu folder records\n", recordNames,
                recordFolders);
    return 0;
}
