#include "win32/application.h"

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include <memory>

#include "game/installation.h"
#include "game/process_scanner.h"
#include "game/system_game_entry.h"
#include "win32/folder_browser.h"
#include "win32/main_dialog.h"
#include "win32/message_box.h"
#include "win32/wait_dialog.h"

namespace thld {

namespace {

// The folder picker needs COM on this thread.
class ComApartment {
public:
    ComApartment() : ready_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment()
    {
        if (ready_)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool ready_;
};

void UseCommonControls()
{
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_TREEVIEW_CLASSES;
    ::InitCommonControlsEx(&controls);
}

}  // namespace

void RunApplication(const ApplicationParts& parts)
{
    UseCommonControls();
    ComApartment com;
    {
        ProcessScanner scanner;
        if (const char* message = RunningGameMessage(scanner)) {
            ShowMessage(nullptr, message);
            return;
        }
    }

    const SearchPlaces places = SearchPlaces::OfThisSystem();
    std::unique_ptr<GameEntryStore> gameEntry = SystemGameEntryStore(places);
    ShellFolderPicker shellPicker;
    FolderPicker& picker = parts.folderPicker ? *parts.folderPicker : shellPicker;

    DialogColours colours;
    MainDialog mainDialog(*gameEntry, picker, places);
    WaitDialog waitDialog;
    waitDialog.Create();
    mainDialog.SetWaitDialog(&waitDialog);
    mainDialog.RunModal(nullptr);
}

}  // namespace thld
