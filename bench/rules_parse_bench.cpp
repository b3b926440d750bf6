// Reads a generated rules file of 4,000 entries (about 1.8 MB, invented applications, every
// kind of key) and compares it with a minimal loop that only splits the same bytes into lines:
// time (median of alternating passes) and peak heap. The heap is counted by this program's own
// operator new: the peak of what is allocated at once while the pass runs, the file's buffer
// included (the reader takes it over; the loop only reads it). Goals on the simulated build:
// under 50 ms and under 10 MB.
#include "rules/RuleSet.h"

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace {

std::atomic<std::size_t> liveBytes{0};
std::atomic<std::size_t> peakBytes{0};

// Each block carries its size in front, so that delete knows what it gives back.
constexpr std::size_t Header = 16;

void* counted(std::size_t size, std::size_t alignment) {
    // The header is as large as the alignment, so that the block after it keeps it.
    const std::size_t header = std::max(Header, alignment);
    const std::size_t total = (size + header + alignment - 1) / alignment * alignment;
    void* raw = alignment <= Header ? std::malloc(total) : std::aligned_alloc(alignment, total);
    if (raw == nullptr) {
        throw std::bad_alloc();
    }
    char* block = static_cast<char*>(raw) + header;
    std::memcpy(block - sizeof(std::size_t), &size, sizeof size);
    std::memcpy(block - 2 * sizeof(std::size_t), &header, sizeof header);
    const std::size_t now = liveBytes += size;
    std::size_t peak = peakBytes.load();
    while (now > peak && !peakBytes.compare_exchange_weak(peak, now)) {
    }
    return block;
}

void uncounted(void* memory) {
    if (memory == nullptr) {
        return;
    }
    char* block = static_cast<char*>(memory);
    std::size_t size = 0;
    std::size_t header = 0;
    std::memcpy(&size, block - sizeof(std::size_t), sizeof size);
    std::memcpy(&header, block - 2 * sizeof(std::size_t), sizeof header);
    liveBytes -= size;
    std::free(block - header);
}

} // namespace

void* operator new(std::size_t size) {
    return counted(size, Header);
}
void* operator new[](std::size_t size) {
    return counted(size, Header);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return counted(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return counted(size, static_cast<std::size_t>(alignment));
}
void operator delete(void* memory) noexcept {
    uncounted(memory);
}
void operator delete[](void* memory) noexcept {
    uncounted(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    uncounted(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    uncounted(memory);
}
void operator delete(void* memory, std::align_val_t) noexcept {
    uncounted(memory);
}
void operator delete[](void* memory, std::align_val_t) noexcept {
    uncounted(memory);
}
void operator delete(void* memory, std::size_t, std::align_val_t) noexcept {
    uncounted(memory);
}
void operator delete[](void* memory, std::size_t, std::align_val_t) noexcept {
    uncounted(memory);
}

namespace {

constexpr int Entries = 4000;
constexpr int Passes = 21;

// The same file on every run: a fixed linear congruential sequence.
class Sequence {
public:
    std::uint32_t next() {
        state_ = state_ * 1103515245u + 12345u;
        return state_ >> 8;
    }
    std::size_t below(std::size_t bound) { return next() % bound; }
    template <std::size_t N> const char* pick(const char* const (&choices)[N]) {
        return choices[below(N)];
    }

private:
    std::uint32_t state_ = 2024;
};

const char* const Syllables[] = {"ka", "lo", "mi", "ne",  "su",  "ra",  "to",  "vi",  "de",
                                 "po", "ze", "la", "qui", "bor", "fen", "gal", "tix", "mor"};
const char* const Kinds[] = {"Viewer",   "Studio",  "Player", "Sync",   "Notes",
                             "Launcher", "Browser", "Editor", "Backup", "Chat"};
const char* const Variables[] = {
    "%AppData%",     "%LocalAppData%",    "%LocalAppData%", "%ProgramData%",   "%ProgramFiles%",
    "%UserProfile%", "%LocalLowAppData%", "%Documents%",    "%CommonAppData%", "%Temp%"};
const char* const Folders[] = {"Cache",
                               "Logs",
                               "Temp",
                               "Crash Reports",
                               "GPUCache",
                               "Code Cache\\js",
                               "User Data\\*\\Cache",
                               "Profiles\\*\\cache2",
                               "Thumbnails",
                               "Updates\\Download",
                               "Sessions",
                               "Telemetry"};
const char* const Patterns[] = {
    "*",         "*.*",   "*.log",      "*.tmp;*.bak", "*.log;*.log.old;trace*.txt",
    "index.dat", "*.dmp", "data_?;f_*", "~*.tmp"};
const char* const Flags[] = {"", "", "|RECURSE", "|REMOVESELF"};

std::string name(Sequence& random, int syllables) {
    std::string out;
    for (int i = 0; i < syllables; ++i) {
        out += random.pick(Syllables);
    }
    out[0] = static_cast<char>(out[0] - 'a' + 'A');
    return out;
}

std::string generatedRules() {
    Sequence random;
    std::string out = "; Generated for the benchmark: invented applications only.\r\n";
    for (int i = 0; i < Entries; ++i) {
        const std::string vendor = name(random, 2);
        const std::string app = name(random, 2) + " " + random.pick(Kinds);
        out += "\r\n[" + vendor + " " + app + " " + std::to_string(i) + " *]\r\n";
        out += random.below(5) == 0
                   ? "Section=Jeux\r\n"
                   : "LangSecRef=30" + std::to_string(21 + random.below(5)) + "\r\n";
        if (random.below(10) == 0) {
            out += "Warning=Efface aussi les sessions enregistrées de " + app + ".\r\n";
        }
        out += "Detect=HKCU\\Software\\" + vendor + "\\" + app + "\r\n";
        out += "DetectFile=%LocalAppData%\\" + vendor + "\\" + app + "\r\n";
        const std::size_t fileKeys = 2 + random.below(4);
        for (std::size_t k = 1; k <= fileKeys; ++k) {
            out += "FileKey" + std::to_string(k) + "=" + random.pick(Variables) + "\\" + vendor +
                   "\\" + app + "\\" + random.pick(Folders) + "|" + random.pick(Patterns) +
                   random.pick(Flags) + "\r\n";
        }
        const std::size_t regKeys = random.below(3);
        for (std::size_t k = 1; k <= regKeys; ++k) {
            out += "RegKey" + std::to_string(k) + "=HKCU\\Software\\" + vendor + "\\" + app +
                   (k == 2 ? "\\Settings|LastFolder" : "\\Recent File List") + "\r\n";
        }
        if (random.below(4) == 0) {
            out += "ExcludeKey1=FILE|%LocalAppData%\\" + vendor + "\\" + app +
                   "\\Cache\\|keep.dat\r\n";
        }
    }
    return out;
}

std::string asUtf16(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    out.reserve(2 + ascii.size() * 2);
    for (const char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

// Processor time of this process: unlike the wall clock, it does not count the moments another
// program had the processor, which on a shared machine are most of a pass's wall time.
double cpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

struct Pass {
    double milliseconds = 0;
    double cpu = 0;
    std::size_t peak = 0; // bytes at once, the input's buffer included
};

// What a reader cannot do without: find every line.
Pass minimalLoop(const std::string& bytes, std::size_t& lines) {
    const std::size_t before = liveBytes.load();
    peakBytes = before;
    const double cpuStart = cpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    std::size_t count = 0;
    std::size_t characters = 0;
    const char* at = bytes.data();
    const char* const end = bytes.data() + bytes.size();
    while (at < end) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        const char* lineEnd = found != nullptr ? static_cast<const char*>(found) : end;
        characters += static_cast<std::size_t>(lineEnd - at);
        ++count;
        at = lineEnd + 1;
    }
    const auto stop = std::chrono::steady_clock::now();
    lines = count + (characters == 0 ? 1 : 0); // keeps the loop from being optimised away
    return {std::chrono::duration<double, std::milli>(stop - start).count(),
            cpuMilliseconds() - cpuStart, bytes.size() + peakBytes.load() - before};
}

Pass parse(const std::string& bytes, std::size_t& entries) {
    std::string input = bytes; // the reader takes its input over; the copy is not timed
    const std::size_t before = liveBytes.load() - input.capacity();
    peakBytes = liveBytes.load();
    const double cpuStart = cpuMilliseconds();
    const auto start = std::chrono::steady_clock::now();
    const vp::rules::RuleSet set = vp::rules::parseRules(std::move(input), "bench.ini");
    const auto stop = std::chrono::steady_clock::now();
    entries = set.entries().size();
    if (!set.diagnostics().empty()) {
        std::printf("unexpected: %s\n",
                    vp::rules::describe("bench.ini", set.diagnostics().front()).c_str());
    }
    return {std::chrono::duration<double, std::milli>(stop - start).count(),
            cpuMilliseconds() - cpuStart, peakBytes.load() - before};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void compare(const char* label, const std::string& bytes) {
    std::vector<double> loopTimes;
    std::vector<double> parseTimes;
    std::vector<double> loopCpu;
    std::vector<double> parseCpu;
    std::size_t loopPeak = 0;
    std::size_t parsePeak = 0;
    std::size_t lines = 0;
    std::size_t entries = 0;
    for (int pass = 0; pass < Passes; ++pass) {
        // Taking turns, each going first in turn, so that neither always meets a warm cache.
        for (int turn = 0; turn < 2; ++turn) {
            if ((pass + turn) % 2 == 0) {
                const Pass p = minimalLoop(bytes, lines);
                loopTimes.push_back(p.milliseconds);
                loopCpu.push_back(p.cpu);
                loopPeak = std::max(loopPeak, p.peak);
            } else {
                const Pass p = parse(bytes, entries);
                parseTimes.push_back(p.milliseconds);
                parseCpu.push_back(p.cpu);
                parsePeak = std::max(parsePeak, p.peak);
            }
        }
    }
    const double loop = median(loopTimes);
    const double read = median(parseTimes);
    std::printf("%s: %zu bytes, %zu lines, %zu entries\n", label, bytes.size(), lines, entries);
    std::printf("  minimal line loop : %7.2f ms (processor %6.2f ms), peak heap %5.2f MB\n", loop,
                median(loopCpu), static_cast<double>(loopPeak) / 1e6);
    std::printf("  rules reader      : %7.2f ms (processor %6.2f ms), peak heap %5.2f MB "
                "(goal: 50 ms, 10 MB)\n",
                read, median(parseCpu), static_cast<double>(parsePeak) / 1e6);
    std::printf("  ratio             : %7.1f x the time, %.1f x the memory\n", read / loop,
                static_cast<double>(parsePeak) / static_cast<double>(loopPeak));
}

} // namespace

int main() {
    const std::string utf8 = generatedRules();
    std::printf("Rules file of %d generated entries; median of %d passes each.\n", Entries, Passes);
    compare("UTF-8, CR LF", utf8);
    compare("UTF-16 LE, CR LF", asUtf16(utf8));
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("Process peak resident size: %.1f MB (the generator and both files included)\n",
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return 0;
}
