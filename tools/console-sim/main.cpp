// The console program on a small simulated profile (the one of the simulated demo), held in
// memory: what `vexoma` prints, without Windows. Every run starts from the same profile, so a
// clean here deletes nothing real and cannot be seen by the next run.
#include "app/console/ConsoleProgram.h"
#include "platform/sim/SimPlatform.h"

#include <iostream>

int main(int argc, char** argv) {
    vp::sim::SimPlatform sim;
    const std::string temp = R"(C:\Documents and Settings\Camille\Local Settings\Temp\)";
    sim.environment.set("USERNAME", "Camille").setTempPath(temp);
    sim.files.file(temp + "setup.log", {.contents = std::string(1200, 'l')})
        .file(temp + "~wrd0001.tmp",
              {.attributes = vp::FileAttribute::ReadOnly, .contents = std::string(30000, 'w')})
        .file(temp + R"(Installer\data.cab)", {.contents = std::string(250000, 'c')})
        .file(temp + "locked.dat", {.inUse = true, .contents = "x"});
    sim.registry
        .setString(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)", "a",
                   "notepad\\1")
        .setString(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)", "MRUList", "a")
        .setString(R"(Software\WinRAR\ArcHistory)", "0", R"(C:\Mes documents\Récent.rar)");
    sim.shell.recycled(R"(C:\Mes documents\brouillon.doc)", 48000);

    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const vp::console::ConsoleHost streams{[](std::string_view text) { std::cout << text; },
                                           [](std::string_view text) { std::cerr << text; }};
    return vp::console::RunConsole(arguments, sim.bundle(), streams);
}
