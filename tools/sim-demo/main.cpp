// A cleaning run on a small simulated profile, printed to the terminal: what the program does,
// without Windows. Every file it deletes lives in memory.
#include "app/Form1.h"
#include "platform/sim/SimPlatform.h"

#include <iostream>

int main() {
    vp::sim::SimPlatform sim;
    sim.environment.set("USERNAME", "Camille")
        .setTempPath(R"(C:\Documents and Settings\Camille\Local Settings\Temp\)");
    sim.files.file(R"(C:\Documents and Settings\Camille\Local Settings\Temp\setup.log)")
        .file(R"(C:\Documents and Settings\Camille\Local Settings\Temp\~wrd0001.tmp)",
              {.attributes = vp::FileAttribute::ReadOnly})
        .file(R"(C:\Documents and Settings\Camille\Local Settings\Temp\Installer\data.cab)")
        .file(R"(C:\Documents and Settings\Camille\Local Settings\Temp\locked.dat)",
              {.inUse = true});

    sim.registry
        .setString(R"(Software\Microsoft\Internet Explorer\TypedURLs)", "url1",
                   "http://www.exemple.fr/")
        .setString(R"(Software\Microsoft\Windows\CurrentVersion\Explorer\RunMRU)", "a",
                   "notepad\\1")
        .setString(R"(Software\WinRAR\ArcHistory)", "0", R"(C:\Mes documents\Récent.rar)");
    sim.internetCache.entry("Cookie:camille@exemple.fr/").entry("http://www.exemple.fr/logo.png");

    vp::Platform platform = sim.bundle();
    vp::Form1 form(platform);
    form.Form_Load();
    for (int n = 1; n <= vp::TargetCount(); ++n) {
        form.ch(n).setValue(1);
    }
    form.Command1_Click();

    std::cout << "Run log:\n";
    for (int i = 0; i < form.List1->listCount(); ++i) {
        std::cout << "  | " << form.List1->list(i) << '\n';
    }
    std::cout << "Window caption: \"" << form.window().caption() << "\"\n";
    std::cout << "Left in the temporary folder:\n";
    for (const auto& path :
         sim.files.tree(R"(C:\Documents and Settings\Camille\Local Settings\Temp)")) {
        std::cout << "  " << path << '\n';
    }
}
