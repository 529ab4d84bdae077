#include "commands/game_folder_flow.h"

#include <vector>

#include "commands/messages.h"
#include "commands/window_messages.h"
#include "game/cache_search.h"

namespace thld {

bool GameFolderFlow::Find() { return FindAndUse(); }

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

bool GameFolderFlow::FindAndUse()
{
    const FolderAsking asking{picker_,
                              [this](GameEntryRead::Result read) {
                                  return prompt_.Offer(messages::kFirstRunTitle,
                                                       messages::FirstRunMessage(places_.system, read),
                                                       messages::kChooseFolderButton);
                              },
                              messages::FolderChooserTitle(places_.system)};
    InstallationRequest request;
    request.acceptGoneFolder = true;
    request.ask = &asking;
    request.withGameFolderOnly = true;
    InstallationSearch search = FindInstallation(store_, places_, request);
    installations_ = std::move(search.every);
    if (!search.found)
        return false;
    folders_ = search.found->folders;
    window_.UseFolders(folders_);
    return true;
}

void GameFolderFlow::UseInstallation(std::size_t index)
{
    if (index >= installations_.size())
        return;
    folders_ = installations_[index].folders;
    window_.UseFolders(folders_);
}

void GameFolderFlow::SelectAndUse()
{
    std::optional<FolderChoice> choice =
        SelectGameFolder(store_, picker_, messages::FolderChooserTitle(places_.system));
    if (!choice)
        return;
    if (choice->stored) {
        FindAndUse();
        return;
    }
    // Not stored: used for this run as it was chosen.
    folders_.gameFolder = GameFolderFromValue(choice->value);
    std::vector<FolderFinding> findings;
    folders_.cacheFolder = FindCacheFolder(folders_.gameFolder, places_, findings).folder;
    window_.UseFolders(folders_);
}

}  // namespace thld
