// The game folder in the main window: found at start, changed with the Change button, and asked
// for when the cache looks empty.
#include "commands/messages.h"
#include "win32/confirm_dialog.h"
#include "win32/main_dialog.h"

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
    std::vector<FolderFinding> findings;
    folders_.cacheFolder = FindCacheFolder(gameFolder, places_, findings).folder;
    SetWindowTextOf(pathLabel_, folders_.cacheFolder);
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
    if (ConfirmDialog(messages::kChangeFolderTitle, messages::kChangeFolderMessage).Ask(Window()) != 1)
        return;
    SelectAndUseGameFolder();
}

void MainDialog::AskAboutEmptyCache()
{
    HideWait();
    if (ConfirmDialog(messages::kEmptyCacheTitle, messages::EmptyCache(folders_.gameFolder)).Ask(Window()) != 1) {
        End(2);
        return;
    }
    SelectAndUseGameFolder();
}

}  // namespace thld
