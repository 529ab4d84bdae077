// The game folder in the main window: found at start, changed with the Change button, and asked
// for when the cache looks empty.
#include "app/confirm_dialog.h"
#include "app/main_dialog.h"

namespace thld {

bool MainDialog::FindGameFolder()
{
    std::optional<std::string> gameFolder = locator_.Find();
    if (!gameFolder)
        return false;
    UseGameFolder(*gameFolder);
    return true;
}

void MainDialog::UseGameFolder(const std::string& gameFolder)
{
    folders_.gameFolder = gameFolder;
    folders_.cacheFolder = CacheFolderOf(gameFolder);
    ::SetWindowTextA(pathLabel_, folders_.cacheFolder.c_str());
    ReadCacheIndex();
}

void MainDialog::SelectAndUseGameFolder()
{
    std::optional<FolderChoice> choice = locator_.Select();
    if (!choice)
        return;
    if (std::optional<std::string> gameFolder = locator_.FolderAfter(*choice))
        UseGameFolder(*gameFolder);
}

void MainDialog::OnChange()
{
    if (ConfirmDialog(kChangeTitle, kChangeMessage).Ask(Window()) != 1)
        return;
    SelectAndUseGameFolder();
}

void MainDialog::AskAboutEmptyCache()
{
    HideWait();
    const std::string message =
        "Your Unreal Tournament Cache Folder appears to be empty.  This could be because the wrong path has "
        "been selected or because the Cache Folder really is empty.\r\nCurrent Path: " +
        folders_.gameFolder + "\r\nWould you like to select your Unreal Tournament Folder manually now?";
    if (ConfirmDialog(kEmptyCacheTitle, message).Ask(Window()) != 1) {
        End(2);
        return;
    }
    SelectAndUseGameFolder();
}

}  // namespace thld
