#include "cli/game_cache.h"

#include "game/system_game_entry.h"
#include "cli/terminal_text.h"
#include "commands/journal_messages.h"
#include "commands/messages.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {

// Why no game folder was found, in the words of the window's message where the store is the
// registry; and what to do about it.
std::string NoGameFolderMessage(const SearchPlaces& places, const std::vector<FolderFinding>& findings)
{
    std::string why;
    if (places.system == SearchPlaces::System::Windows) {
        const std::string_view message =
            findings.empty() || findings.back().why == "no entry" ? kNoGameEntryMessage : kNoFolderValueMessage;
        why = std::string(message.substr(0, message.find("\r\n")));
    } else {
        why = "No game folder is stored";
        if (!findings.empty() && !findings.back().source.empty())
            why += " in " + findings.back().source;
        why += ".";
    }
    return why + "\nName it with --game DIR, or store it once with: tallyhold where --set-game DIR";
}

std::string WithoutQuestion(const std::string& message)
{
    const std::size_t lastLine = message.rfind("\r\n");
    return lastLine == std::string::npos ? message : message.substr(0, lastLine);
}

}  // namespace

Installation FindGame(const InstallationRequest& request, bool needGameFolder, Console& console)
{
    const SearchPlaces places = SearchPlaces::OfThisSystem();
    std::unique_ptr<GameEntryStore> store = SystemGameEntryStore(places);
    InstallationSearch search = FindInstallation(*store, places, request);
    std::optional<Installation>& found = search.found;
    const std::vector<FolderFinding>& findings = search.findings;
    if (!found && request.install) {
        throw Failure("There is no installation " + std::to_string(*request.install) + " (" +
                      std::to_string(search.every.size()) + " found); 'tallyhold where' lists them.");
    }
    if (!found && request.cache && !request.game) {
        // A cache folder alone can be listed and cleaned; nothing can be made permanent.
        found.emplace();
        found->folders.cacheFolder = *request.cache;
        if (found->folders.cacheFolder.back() != kPathSeparator && found->folders.cacheFolder.back() != '/')
            found->folders.cacheFolder += kPathSeparator;
        found->gameSource = "not known";
        found->cacheSource = "given";
        found->foundBy = FoundBy::Given;
    }
    if (!found) {
        // A folder that was named, given or stored, but is not there: said as a file error says it.
        for (const FolderFinding& finding : findings)
            if (!finding.folder.empty() && !finding.taken && finding.source == "given" && !IsFolder(finding.folder))
                throw Failure(FileErrorText(FileErrorCause::NotFound, finding.folder));
        for (const FolderFinding& finding : findings)
            if (finding.role == "game folder" && !finding.folder.empty() && !finding.taken &&
                finding.why.find("the stored entry") == 0 && !IsFolder(finding.folder))
                throw Failure(FileErrorText(FileErrorCause::NotFound, finding.folder));
        throw Failure(NoGameFolderMessage(places, findings));
    }
    if (needGameFolder && found->folders.gameFolder.empty()) {
        throw Failure("No game folder is known for the cache " + PrintableText(found->folders.cacheFolder) +
                      ".\nName it with --game DIR, or store it once with: tallyhold where --set-game DIR");
    }
    if (!search.note.empty())
        console.Err("tallyhold: " + search.note + " 'tallyhold where' lists them; --install N opens another.\n");
    return std::move(*found);
}

CacheContents ReadCache(const Installation& installation, Console& console, InstalledCopies installedCopies,
                        Requirements requirements)
{
    const GameFolders& folders = installation.folders;
    if (!folders.gameFolder.empty() && !IsFolder(folders.gameFolder))
        throw Failure(FileErrorText(FileErrorCause::NotFound, folders.gameFolder));
    if (!IsFolder(folders.cacheFolder))
        throw Failure(FileErrorText(FileErrorCause::NotFound, folders.cacheFolder));
    CacheContents contents = ListCacheContents(folders, installedCopies, {}, {}, requirements);
    if (const std::string found = messages::JournalFindingText(contents.journal); !found.empty())
        console.Err("tallyhold: " + PrintableLines(found) + "\n");
    const Listing& listing = contents.listing;
    if (listing.outcome == Listing::Outcome::Unreadable && !PathExists(listing.indexPath))
        throw Failure(PrintableText(folders.cacheFolder) + " has no cache.ini: is this a cache folder?");
    if (listing.outcome == Listing::Outcome::Unreadable)
        throw Failure(messages::ReadError(listing.indexPath));
    for (const std::string& path : listing.notRegularFiles)
        TellNotRegularFile(console, path);
    if (listing.outcome == Listing::Outcome::Empty) {
        const std::string shownFolder = folders.gameFolder.empty() ? folders.cacheFolder : folders.gameFolder;
        console.Err("tallyhold: " + PrintableLines(WithoutQuestion(messages::EmptyCache(shownFolder))) + "\n");
    }
    return contents;
}

void TellNotRegularFile(Console& console, const std::string& path)
{
    console.Err("tallyhold: " + PrintableText(FileErrorText(FileErrorCause::NotRegularFile, path)) + "\n");
}

}  // namespace thld::cli
