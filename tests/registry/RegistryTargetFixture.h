// Registry targets on a started program: the registry is filled, a whole cleaning run is made
// with some boxes checked, and the run log and the registry are looked at afterwards.
#pragma once

#include "support/FormFixture.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace vp::test {

using Lines = std::vector<std::string>;

class RegistryTargetTest : public FormFixture {
protected:
    sim::SimRegistry& registry = sim.registry;

    // A whole cleaning run with exactly these boxes checked; its run log.
    Lines runWith(std::initializer_list<int> boxes) {
        if (!form) {
            startProgram();
        }
        checkOnly(boxes);
        window().click("Command1");
        return runLog();
    }

    // What a failing expectation about a key shows: the key as .reg text.
    std::string dump(std::string_view path) const { return "\n" + registry.exportRegText(path); }

    void TearDown() override { EXPECT_EQ(registry.openHandles(), 0) << "registry keys left open"; }
};

// A value's data as a Western European Windows stores it, terminator included.
inline std::string windows1252(std::string_view bytes) {
    return std::string(bytes) + '\0';
}

} // namespace vp::test
