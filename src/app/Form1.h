// The main window: its controls, its event handlers and the target routines of the catalogue. The
// routines are defined in the folder of their subsystem (targets/, registry/).
#pragma once

#include "app/Catalogue.h"
#include "app/ListingControls.h"
#include "app/RunTotals.h"
#include "platform/Platform.h"
#include "progressbar/XP_ProgressBar.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

class CheckBox;
struct FileTally;
class Control;
class ListBox;
class MainWindow;

class Form1 {
public:
    // Creates the window and every control; the progress bar gets its stored properties.
    explicit Form1(Platform& platform);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // --- Events ---
    // Rounded shape, start-up cache listing, user name; once, before the window is shown.
    void Form_Load();
    // A button pressed on the window's own surface: the window follows the mouse.
    void Form_MouseDown(int button, int shift, int x, int y);
    // The cleaning run.
    void Command1_Click();
    void Dir1_Change();
    // Checks the group of targets named by the category selector.
    void Command4_Click();
    // Saves the run log to a file the user names.
    void Command5_Click();
    // The window's own buttons: close, minimise, about box, the three panels, the three pages.
    void TopButtons_XP1_Click();
    void ButtonPlus1_Click();
    void ButtonPlus5_Click();
    void ButtonPlus2_Click();
    void ButtonPlus3_Click();
    void ButtonPlus4_Click();
    void ButtonPlus6_Click();
    void ButtonPlus8_Click();
    void Command2_Click();

    // --- Target routines, in catalogue order ---
    void Typed();
    void Cookies();
    void IETemp();
    void HisTory();
    void Recent();
    void Temp();
    void Prefetch();
    void Run();
    void Searched();
    void Corb();
    void Azureus();
    void Donkey();
    void Mule();
    void MPlayerF();
    void Nero();
    void Cover();
    void VB();
    void WM();
    void Rar();
    void Zip();

    // Empties a folder tree: deletes and logs every listed file, removes emptied subfolders,
    // keeps the folder itself. Never enters or removes a folder link.
    void ClearD(std::string_view strPath);

    // --- The window and its controls ---
    MainWindow& window() { return *window_; }
    Control& control(std::string_view name) const; // any control of the layout by name
    CheckBox& ch(int number) const;                // ch1 to chN, N the catalogue's count

    ListBox* List1 = nullptr; // the run log
    ListBox* List2 = nullptr; // cookie entries of the Internet cache
    ListBox* List3 = nullptr; // the other cache entries
    Control* Label10 = nullptr;
    DirListBox Dir1;
    FileListBox File1;
    std::unique_ptr<XP_ProgressBar> ProgressBar1;

    // The cache lists have been processed once since start-up.
    bool bCookiesDone = false;
    bool bCacheDone = false;

    // What the last run freed, target by target; reset when a run starts.
    RunTotals totals{TargetCount()};

private:
    void CreateControls();
    void WireCommands();
    void ListCacheEntries();
    // Adds what one deleteMatchingFiles call did to the run's totals.
    void CountFiles(const FileTally& tally);
    // Makes the frame `shown` the only visible one of the three panels.
    void ShowPanel(std::string_view shown);
    void OpenPage(std::string_view address);

    // Deletes every entry named in `list`, logs each name and marks its line "Effacé"; once
    // per start (`done`).
    void DeleteListedCacheEntries(ListBox& list, bool& done);
    // Removes the cache entry of that source URL name; true when the cache reports it gone.
    // Counts it, with the bytes the cache kept for it, in the run's totals.
    bool DeleteCacheEntry(std::string_view sourceUrlName);

    // The target routine contract: progress value first, then the status caption.
    void BeginTarget(TargetRoutine routine);
    // A line naming something cleaned: appended, then selected so the log scrolls to it.
    void AppendLogLine(std::string_view text);
    // A routine's last line: one empty line, not selected.
    void EndLogSection();

    Platform& platform_;
    std::unique_ptr<MainWindow> window_;
    std::map<std::string, Control*, std::less<>> controls_;
    std::vector<CheckBox*> checkBoxes_ = std::vector<CheckBox*>(Catalogue().size());
};

} // namespace vp
