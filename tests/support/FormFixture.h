// A started program on a fresh simulated platform: the scenario is set up through `sim`'s
// builders before startProgram(), then driven through `form` and the recorded window.
#pragma once

#include "app/Form1.h"
#include "platform/Windowing.h"
#include "platform/sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace vp::test {

class FormFixture : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Platform platform = sim.bundle();
    std::unique_ptr<Form1> form;

    // Creates the window and runs its load step, as at program start.
    void startProgram() {
        form = std::make_unique<Form1>(platform);
        form->Form_Load();
    }

    sim::SimMainWindow& window() const { return *sim.windowing.window(); }

    std::vector<std::string> lines(const ListBox& list) const {
        std::vector<std::string> out;
        for (int i = 0; i < list.listCount(); ++i) {
            out.push_back(list.list(i));
        }
        return out;
    }
    std::vector<std::string> runLog() const { return lines(*form->List1); }

    // Checks exactly the given boxes and unchecks the others.
    void checkOnly(std::initializer_list<int> numbers) const {
        for (int n = 1; n <= TargetCount(); ++n) {
            form->ch(n).setValue(0);
        }
        for (const int n : numbers) {
            form->ch(n).setValue(1);
        }
    }
};

// Runs `routine` alone as the run would, with an empty log, and returns the lines it wrote.
inline std::vector<std::string> logOf(Form1& form, void (Form1::*routine)()) {
    form.List1->clear();
    (form.*routine)();
    std::vector<std::string> out;
    for (int i = 0; i < form.List1->listCount(); ++i) {
        out.push_back(form.List1->list(i));
    }
    return out;
}

} // namespace vp::test
