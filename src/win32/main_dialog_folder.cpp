// The game folder in the main window: the shared flow, asking through the window's own dialogs.
#include "win32/confirm_dialog.h"
#include "win32/main_dialog.h"
#include "win32/message_box.h"

namespace thld {

bool MainDialog::Confirm(const std::string& title, const std::string& message)
{
    return ConfirmDialog(title, message).Ask(Window()) == 1;
}

void MainDialog::Tell(const std::string& message) { ShowMessage(Window(), message); }

void MainDialog::UseFolders(const GameFolders& folders)
{
    folders_ = folders;
    SetWindowTextOf(pathLabel_, folders_.cacheFolder);
    ReadCacheIndex();
}

void MainDialog::EndWindow() { End(2); }

void MainDialog::AskAboutEmptyCache()
{
    HideWait();
    folderFlow_.AskAboutEmptyCache();
}

}  // namespace thld
