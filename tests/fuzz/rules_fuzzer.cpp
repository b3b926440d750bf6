// libFuzzer entry point of the rules reader (built by the `fuzz` preset; see the README).
#include "RulesFuzzTarget.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure =
        vp::fuzz::checkRulesInput(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!failure.empty()) {
        std::fprintf(stderr, "rules reader: %s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
