// The rules reader's fuzz target, run as a unit test: bounded and deterministic. Every file of
// the seed corpus, then a few thousand inputs made from them by fixed mutations (bytes flipped,
// inserted and cut, the format's own tokens dropped in, files spliced, encodings changed), each
// checked by the same code as the libFuzzer program. Longer runs: see the README.
#include "fuzz/RulesFuzzTarget.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vp::fuzz {
namespace {

constexpr int MutatedInputs = 4000;

std::vector<std::string> seedCorpus() {
    std::vector<std::filesystem::path> paths;
    for (const auto& file : std::filesystem::directory_iterator(VP_FUZZ_CORPUS_DIR)) {
        paths.push_back(file.path());
    }
    std::sort(paths.begin(), paths.end()); // the same order everywhere
    std::vector<std::string> seeds;
    for (const auto& path : paths) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        seeds.push_back(bytes.str());
    }
    return seeds;
}

// SplitMix64: the same numbers on every platform and library, unlike <random>'s distributions.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t below(std::size_t bound) { return bound == 0 ? 0 : next() % bound; }

private:
    std::uint64_t state_;
};

// Pieces of the format, so that mutations reach past the line splitter into every parser.
constexpr std::array<std::string_view, 32> Tokens = {
    "|",          "||",
    ";",          "%",
    "%AppData%",  "%Unset%",
    "\\",         "\\\\",
    "/",          "..",
    ".",          "*",
    "?",          "[",
    "]",          "=",
    "\r\n",       "\n",
    "\r",         "RECURSE",
    "REMOVESELF", "FILE|",
    "PATH|",      "REG|",
    "HKCU\\",     "HKLM",
    "C:",         "\xEF\xBB\xBF",
    "\xFF\xFE",   std::string_view("\0", 1),
    "\xC3",       "FileKey1=",
};

std::string toUtf16(std::string_view text, bool littleEndian) {
    // Bytes widened one by one: not a faithful conversion, which is the point.
    std::string out = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (const char c : text) {
        out += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    }
    return out;
}

std::string mutate(const std::vector<std::string>& seeds, Random& random) {
    std::string input = seeds[random.below(seeds.size())];
    const int steps = 1 + static_cast<int>(random.below(6));
    for (int step = 0; step < steps; ++step) {
        const std::size_t at = random.below(input.size() + 1);
        switch (random.below(9)) {
        case 0: // flip a byte
            if (!input.empty()) {
                input[random.below(input.size())] ^= static_cast<char>(1 + random.below(255));
            }
            break;
        case 1: // insert a random byte
            input.insert(at, 1, static_cast<char>(random.below(256)));
            break;
        case 2: // cut a run
            input.erase(at, random.below(32));
            break;
        case 3: // repeat a run
            input.insert(at, input.substr(at, random.below(64)));
            break;
        case 4:
        case 5: { // drop a token in
            const std::string_view token = Tokens[random.below(Tokens.size())];
            input.insert(at, token.data(), token.size());
            break;
        }
        case 6: { // splice another seed in
            const std::string& other = seeds[random.below(seeds.size())];
            const std::size_t from = random.below(other.size() + 1);
            input.insert(at, other.substr(from, random.below(200)));
            break;
        }
        case 7: // truncate
            input.resize(at);
            break;
        case 8: // change the encoding
            input = toUtf16(input, random.below(2) == 0);
            break;
        }
    }
    return input;
}

std::string shown(std::string_view bytes) {
    std::string out;
    for (const unsigned char c : bytes.substr(0, 400)) {
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        }
    }
    return out;
}

TEST(RulesFuzzRegression, EverySeedFileKeepsThePromises) {
    const std::vector<std::string> seeds = seedCorpus();
    ASSERT_GE(seeds.size(), 8u) << "the seed corpus is missing from " << VP_FUZZ_CORPUS_DIR;
    for (const std::string& seed : seeds) {
        EXPECT_EQ(checkRulesInput(seed), "") << "input: " << shown(seed);
    }
}

TEST(RulesFuzzRegression, MutatedInputsKeepThePromises) {
    const std::vector<std::string> seeds = seedCorpus();
    ASSERT_FALSE(seeds.empty());
    Random random(20);
    // Processor time, not wall time: on a shared machine the wall clock mostly counts others.
    const std::clock_t started = std::clock();
    int failures = 0;
    for (int i = 0; i < MutatedInputs && failures < 5; ++i) {
        const std::string input = mutate(seeds, random);
        const std::string failure = checkRulesInput(input);
        if (!failure.empty()) {
            ++failures;
            ADD_FAILURE() << "mutated input " << i << ": " << failure
                          << "\ninput: " << shown(input);
        }
    }
    const double seconds = static_cast<double>(std::clock() - started) / CLOCKS_PER_SEC;
    RecordProperty("seconds", std::to_string(seconds));
    // A bound on the whole run, far above what it takes, so that a reader gone quadratic shows.
    EXPECT_LT(seconds, 30.0) << MutatedInputs << " inputs";
}

// The extremes no mutation of small files reaches: long lines, deep paths, many entries, many
// problems, nothing at all.
TEST(RulesFuzzRegression, ExtremeInputsKeepThePromises) {
    std::string deep = "[Deep *]\nLangSecRef=3021\nFileKey1=%AppData%";
    for (int i = 0; i < 5000; ++i) {
        deep += "\\d*";
    }
    deep += "|*\n";
    std::string many;
    for (int i = 0; i < 3000; ++i) {
        many += "[E" + std::to_string(i % 1500) + " *]\nbad line\nFileKey1=x\n";
    }
    const std::string inputs[] = {
        "",
        "\xEF\xBB\xBF",
        "\xFF\xFE",
        "\xFF",
        std::string(100000, '['),
        std::string(100000, '|'),
        "[A]\nFileKey1=" + std::string(70000, '%') + "|*",
        "[A]\nFileKey1=%AppData%\\" + std::string(70000, ';') + "|" + std::string(70000, ';'),
        deep,
        many,
    };
    for (const std::string& input : inputs) {
        EXPECT_EQ(checkRulesInput(input), "") << "input: " << shown(input);
    }
}

} // namespace
} // namespace vp::fuzz
