// tallyhold where [--set-game DIR]: the game and cache folders, where each came from, and what else
// the search looked at, and every installation found, numbered for --install; with --set-game the
// game folder is stored first, where the windows keep it.
#include "cli/commands.h"
#include "cli/terminal_text.h"
#include "game/folder_storing.h"
#include "game/installation_search.h"
#include "game/search_words.h"
#include "game/system_game_entry.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {

// The folder, shortened to fit from column `at` on.
std::string Folder(const std::string& folder, std::size_t at, Console& console)
{
    if (folder.empty())
        return "(none)";
    const std::size_t room = console.Width() > at + 32 ? console.Width() - at - 12 : 20;
    std::string text = ShortenedPath(PrintableText(folder), room);
    if (!IsFolder(folder))
        text += console.OutStyled(Style::Bad, " (not there)");
    return text;
}

}  // namespace

int WhereCommand(const Options& options, Console& console)
{
    const SearchPlaces places = SearchPlaces::OfThisSystem();
    std::unique_ptr<GameEntryStore> store = SystemGameEntryStore(places);
    std::string out;
    if (options.setGame) {
        const FolderStoring storing = StoreGameFolder(*store, *options.setGame);
        if (storing.outcome != FolderStoring::Outcome::Stored)
            throw Failure(storing.message);
        out += storing.message + "\n\n";
    }
    const InstallationSearch search = FindInstallation(*store, places, options.folders);
    const std::optional<Installation>& found = search.found;
    bool usable = found.has_value();
    if (found) {
        const GameFolders& folders = found->folders;
        usable = (folders.gameFolder.empty() || IsFolder(folders.gameFolder)) && IsFolder(folders.cacheFolder);
        out += console.OutStyled(Style::Strong, "Game folder:  ") + Folder(folders.gameFolder, 14, console) + "\n" +
               "              " + Wrapped("from " + SourceWords(found->gameSource), 14, console.Width()) + "\n" +
               console.OutStyled(Style::Strong, "Cache folder: ") + Folder(folders.cacheFolder, 14, console) + "\n" +
               "              " + Wrapped("from " + SourceWords(found->cacheSource), 14, console.Width()) + "\n";
    } else {
        const std::size_t firstLineEnd = search.problem.find('\n');
        out += console.OutStyled(Style::Bad, search.problem.substr(0, firstLineEnd)) +
               (firstLineEnd == std::string::npos ? "" : search.problem.substr(firstLineEnd)) + "\n";
    }
    if (!search.every.empty())
        out += "\nInstallations found (--install N opens one):\n";
    for (std::size_t i = 0; i < search.every.size(); ++i) {
        const Installation& one = search.every[i];
        const bool open = found && found->folders.gameFolder == one.folders.gameFolder &&
                          found->folders.cacheFolder == one.folders.cacheFolder;
        out += (open ? "* " : "  ") + PaddedRight(std::to_string(i + 1), 3) +
               Folder(one.folders.gameFolder, 5, console) + "  (" + FoundByText(one.foundBy) + ")\n" +
               std::string(7, ' ') + "cache: " + Folder(one.folders.cacheFolder, 14, console) + "\n";
    }
    if (!search.note.empty())
        out += search.note + "\n";
    out += "\nLooked at, in this order:\n";
    for (const FolderFinding& finding : search.findings) {
        out += "  " + PaddedRight(finding.role, 13) + (finding.taken ? "taken        " : "passed over  ") +
               Folder(finding.folder, 28, console) + "\n" + std::string(28, ' ') +
               Wrapped(PrintableText(finding.why) + "; from " + SourceWords(finding.source), 28, console.Width()) +
               "\n";
    }
    console.Out(out);
    return usable ? kExitDone : kExitFailed;
}

}  // namespace thld::cli
