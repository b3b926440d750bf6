// Runs the ten registry targets on a simulated registry where every list is full, and compares
// them with a bare loop that makes the same registry calls (open, query, delete, close, through
// the Registry interface, with the same narrow strings prepared beforehand) and nothing else:
// no text conversion, no value names built per entry, no run log, no progress bar. Both run in
// this one process, pass after pass, alternating, each pass on a freshly filled registry (the
// filling is not timed). The ratio of the medians is what to read; the times only frame it.
//
// The Recent folder named by the shell-folder key exists and is empty, so the sweep it gets
// costs a listing; the bare loop makes no file-system call.
#include "app/Form1.h"
#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using vp::sim::SimRegistry;

constexpr int Passes = 201;

struct NumberedList {
    std::vector<std::string> keys;
    std::string prefix;
    int first;
    int last;
};

const std::string Explorer = R"(Software\Microsoft\Windows\CurrentVersion\Explorer)";
const std::string ShellFolders = Explorer + R"(\Shell Folders)";
const std::string RecentFolder = R"(C:\Documents and Settings\bench\Recent)";

// The lists in the order the run cleans them, keys spelt as the targets spell them.
const NumberedList Typed{{R"(Software\Microsoft\Internet Explorer\TypedURLs\)"}, "url", 1, 100};
const std::string RecentDocs = Explorer + R"(\RecentDocs\)";
const std::string RunMru = Explorer + R"(\RunMRU)";
const std::string SearchMru = Explorer + R"(\Doc Find Spec MRU\)";
const std::vector<NumberedList> AppLists = {
    {{R"(Software\Ahead\Nero - Burning Rom\Recent File List)"}, "file", 1, 100},
    {{R"(Software\Ahead\Cover Designer\Recent File List)"}, "file", 1, 100},
    {{R"(Software\Microsoft\Visual Basic\6.0\RecentFiles)",
      R"(Software\Microsoft\Visual Basic\5.0\RecentFiles)"},
     "",
     1,
     100},
    {{R"(Software\Microsoft\MediaPlayer\Player\RecentURLList)"}, "URL", 0, 100},
    {{R"(Software\WinRAR\ArcHistory)", R"(Software\WinRAR\DialogEditHistory\ArcName)",
      R"(Software\WinRAR\DialogEditHistory\ExtrPath)"},
     "",
     0,
     100},
    {{R"(Software\Nico Mak Computing\WinZip\filemenu)"}, "filemenu", 1, 100},
};

std::string entryText(int n) {
    return R"(C:\Documents and Settings\bench\Mes documents\Récent )" + std::to_string(n) + ".doc";
}

void fill(SimRegistry& registry) {
    registry.setString(ShellFolders, "Recent", RecentFolder);
    for (const NumberedList* list : {&Typed, &AppLists[0], &AppLists[1], &AppLists[2], &AppLists[3],
                                     &AppLists[4], &AppLists[5]}) {
        for (const std::string& key : list->keys) {
            for (int n = list->first; n <= list->last; ++n) {
                registry.setString(key, list->prefix + std::to_string(n), entryText(n));
            }
        }
    }
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const std::string name(1, letter);
        registry.setString(RecentDocs, name, entryText(letter));
        if (letter <= 'j') {
            registry.setString(RunMru, name, entryText(letter) + R"(\1)");
            registry.setString(SearchMru, name, "*" + std::to_string(letter) + ".doc");
        }
    }
    for (const std::string* key : {&RecentDocs, &RunMru, &SearchMru}) {
        registry.setString(*key, "MRUList", "abcdefghij");
    }
}

// One registry call sequence of the targets, with its strings already narrow.
struct Step {
    std::string key;
    std::string name;
    bool read; // read, then delete; otherwise delete only
};

std::vector<Step> targetSteps(const vp::NarrowText& narrow) {
    std::vector<Step> steps;
    const auto add = [&](const std::string& key, const std::string& name, bool read) {
        steps.push_back({narrow.toNarrow(key), narrow.toNarrow(name), read});
    };
    const auto numbered = [&](const NumberedList& list) {
        for (int n = list.first; n <= list.last; ++n) {
            for (const std::string& key : list.keys) {
                add(key, list.prefix + std::to_string(n), true);
            }
        }
    };
    const auto letters = [&](const std::string& key, char last, bool read) {
        for (char letter = 'a'; letter <= last; ++letter) {
            add(key, std::string(1, letter), read);
        }
        add(key, "MRUList", false);
    };
    numbered(Typed);
    steps.push_back({narrow.toNarrow(ShellFolders), "Recent", true}); // read only, below
    letters(RecentDocs, 'z', false);
    letters(RunMru, 'j', true);
    letters(SearchMru, 'j', true);
    for (const NumberedList& list : AppLists) {
        numbered(list);
    }
    return steps;
}

std::size_t bareLoop(vp::Registry& registry, const std::vector<Step>& steps) {
    std::size_t logged = 0;
    unsigned char buffer[128];
    for (const Step& step : steps) {
        vp::RegHandle key = 0;
        if (step.read) {
            if (registry.openKey(vp::CurrentUserHive, step.key, 0, vp::KeyAllAccess, key) == 0) {
                std::uint32_t type = vp::StringValueType;
                std::uint32_t size = sizeof buffer;
                logged += registry.queryValue(key, step.name, type, buffer, size) == 0 ? 1 : 0;
                registry.closeKey(key);
            }
            if (step.name == "Recent") {
                continue; // the shell-folder path is read, never deleted
            }
        }
        if (registry.openKey(vp::CurrentUserHive, step.key, 0, vp::KeyAllAccess, key) == 0) {
            registry.deleteValue(key, step.name);
            registry.closeKey(key);
        }
    }
    return logged;
}

template <typename F> double seconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main() {
    vp::sim::SimPlatform sim;
    sim.files.folder(RecentFolder);
    vp::Platform platform = sim.bundle();
    vp::Form1 form(platform);
    const std::vector<Step> steps = targetSteps(sim.narrowText);
    SimRegistry bare;

    std::vector<double> targetTimes;
    std::vector<double> bareTimes;
    std::vector<double> paintTimes;
    std::size_t targetLines = 0;
    std::size_t bareLogged = 0;
    for (int pass = 0; pass < Passes; ++pass) {
        fill(sim.registry);
        form.List1->clear();
        const auto targetCalls = sim.registry.calls();
        targetTimes.push_back(seconds([&] {
            form.Typed();
            form.Recent();
            form.Run();
            form.Searched();
            form.Nero();
            form.Cover();
            form.VB();
            form.WM();
            form.Rar();
            form.Zip();
        }));
        targetLines = static_cast<std::size_t>(form.List1->listCount());

        // Each routine sets the progress bar first, and the bar repaints at once: the same ten
        // settings alone, to tell the drawing from the registry work.
        paintTimes.push_back(seconds([&] {
            for (const int value : {5, 25, 40, 45, 77, 83, 85, 90, 96, 100}) {
                form.ProgressBar1->setValue(value);
            }
        }));

        fill(bare);
        const auto bareCalls = bare.calls();
        bareTimes.push_back(seconds([&] { bareLogged = bareLoop(bare, steps); }));

        const auto delta = [](const SimRegistry::CallCounts& now,
                              const SimRegistry::CallCounts& was) {
            return SimRegistry::CallCounts{now.opens - was.opens, now.queries - was.queries,
                                           now.deletes - was.deletes, now.closes - was.closes};
        };
        if (pass == 0) {
            const auto made = delta(sim.registry.calls(), targetCalls);
            if (made != delta(bare.calls(), bareCalls) ||
                sim.registry.exportRegText() != bare.exportRegText()) {
                std::fprintf(stderr, "the bare loop does not make the targets' calls\n");
                return 1;
            }
            std::printf("per pass: %ld opens, %ld queries, %ld deletions, %ld closes; "
                        "%zu run log lines (%zu entries read)\n",
                        made.opens, made.queries, made.deletes, made.closes, targetLines,
                        bareLogged);
        }
    }

    const double targets = median(targetTimes);
    const double loop = median(bareTimes);
    std::printf("ten registry targets:   %.3f ms per pass (median of %d)\n", targets * 1e3, Passes);
    std::printf("bare loop, same calls:  %.3f ms per pass\n", loop * 1e3);
    const double paints = median(paintTimes);
    std::printf("ratio targets / bare:   %.2f (goal: at most 1.3)\n", targets / loop);
    std::printf("of which the ten progress bar repaints: %.3f ms; ratio without them: %.2f\n",
                paints * 1e3, (targets - paints) / loop);
    return 0;
}
