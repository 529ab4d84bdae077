#include "cli/game_cache.h"

#include "cli/terminal_text.h"
#include "commands/journal_messages.h"
#include "commands/messages.h"
#include "game/folder_check.h"
#include "game/search_words.h"
#include "game/system_game_entry.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {
// Set once, from the command line, before any listing.
ListingMemoUse listingMemo = ListingMemoUse::Kept;
}  // namespace

void UseListingMemo(bool use) { listingMemo = use ? ListingMemoUse::Kept : ListingMemoUse::None; }

Installation FindGame(const InstallationRequest& request, bool needGameFolder, Console& console)
{
    const SearchPlaces places = SearchPlaces::OfThisSystem();
    std::unique_ptr<GameEntryStore> store = SystemGameEntryStore(places);
    InstallationSearch search = FindInstallation(*store, places, request);
    std::optional<Installation>& found = search.found;
    if (!found)
        throw Failure(search.problem);
    if (needGameFolder && found->folders.gameFolder.empty())
        throw Failure(NoGameFolderForCacheText(found->folders.cacheFolder));
    if (!search.note.empty())
        console.Err("tallyhold: " + search.note + " 'tallyhold where' lists them; --install N opens another.\n");
    return std::move(*found);
}

CacheContents ReadCache(const Installation& installation, Console& console, InstalledCopies installedCopies,
                        Requirements requirements)
{
    const GameFolders& folders = installation.folders;
    if (std::optional<FolderProblem> problem = CheckInstallationFolders(folders))
        throw Failure(problem->message);
    // Without requirements (Delete), no file's contents are wanted: none is opened.
    const ListingMemoUse memo = requirements == Requirements::Skip && listingMemo == ListingMemoUse::Kept
                                    ? ListingMemoUse::StampsOnly
                                    : listingMemo;
    CacheContents contents = ListCacheContents(folders, installedCopies, {}, {}, memo, requirements);
    if (const std::string found = messages::JournalFindingText(contents.journal); !found.empty())
        console.Err("tallyhold: " + PrintableLines(found) + "\n");
    const Listing& listing = contents.listing;
    if (listing.outcome == Listing::Outcome::Unreadable)
        throw Failure(messages::ReadError(listing.indexPath));
    for (const std::string& path : listing.notRegularFiles)
        TellNotRegularFile(console, path);
    if (listing.outcome == Listing::Outcome::Empty) {
        const std::string shownFolder = folders.gameFolder.empty() ? folders.cacheFolder : folders.gameFolder;
        console.Err("tallyhold: " + PrintableLines(messages::EmptyCacheStatement(shownFolder)) + "\n");
    }
    return contents;
}

std::vector<std::size_t> NamedOrFail(const std::vector<PackageItem>& items, const std::vector<std::string>& names,
                                     Versions versions)
{
    const NamedItems named = ItemsNamed(items, names, versions);
    if (named.problems.empty())
        return named.items;
    std::string message;
    for (const NameProblem& problem : named.problems)
        message += (message.empty() ? "" : "\ntallyhold: ") + NameProblemText(problem, items);
    throw Failure(message);
}

void TellNotRegularFile(Console& console, const std::string& path)
{
    console.Err("tallyhold: " + PrintableText(FileErrorText(FileErrorCause::NotRegularFile, path)) + "\n");
}

}  // namespace thld::cli
