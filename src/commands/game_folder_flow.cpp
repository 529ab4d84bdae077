#include "commands/game_folder_flow.h"

#include <vector>

#include "commands/messages.h"

namespace thld {

bool GameFolderFlow::Find()
{
    std::optional<std::string> gameFolder = locator_.Find();
    if (!gameFolder)
        return false;
    Use(*gameFolder);
    return true;
}

void GameFolderFlow::Change()
{
    if (prompt_.Confirm(messages::kChangeFolderTitle, messages::kChangeFolderMessage))
        SelectAndUse();
}

void GameFolderFlow::AskAboutEmptyCache()
{
    if (!prompt_.Confirm(messages::kEmptyCacheTitle, messages::EmptyCache(folders_.gameFolder))) {
        window_.EndWindow();
        return;
    }
    SelectAndUse();
}

void GameFolderFlow::Use(const std::string& gameFolder)
{
    folders_.gameFolder = gameFolder;
    std::vector<FolderFinding> findings;
    folders_.cacheFolder = FindCacheFolder(gameFolder, places_, findings).folder;
    window_.UseFolders(folders_);
}

void GameFolderFlow::SelectAndUse()
{
    std::optional<FolderChoice> choice = locator_.Select();
    if (!choice)
        return;
    if (std::optional<std::string> gameFolder = locator_.FolderAfter(*choice))
        Use(*gameFolder);
}

}  // namespace thld
