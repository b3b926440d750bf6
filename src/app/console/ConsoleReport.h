// What the console program prints after a run: the summary of sizes in French, or the whole
// run as JSON (each target, its run-log lines, its counts and bytes).
#pragma once

#include "app/RunTotals.h"

#include <string>
#include <string_view>
#include <vector>

namespace vp::console {

class RunReport {
public:
    explicit RunReport(bool preview) : preview_(preview), lines_(RunTotals::Targets + 1) {}

    // A run-log line, written while target `target` (0: none) ran.
    void addLine(int target, std::string_view line);
    void setTotals(const RunTotals& totals) { totals_ = totals; }

    std::string summary() const;
    std::string json(const std::vector<int>& targets, int status) const;

private:
    bool preview_;
    std::vector<std::vector<std::string>> lines_; // by target number
    RunTotals totals_;
};

// "1 234 567 octets", with "(1,2 Mo)" after it from 1 Ko on.
std::string FormatBytes(std::uint64_t bytes);

} // namespace vp::console
