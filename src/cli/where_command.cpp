// tallyhold where [--set-game DIR]: the game and cache folders, where each came from, and what else
// the search looked at, and every installation found, numbered for --install; with --set-game the
// game folder is stored first, where the windows keep it.
#include <filesystem>

#include "cli/commands.h"
#include "game/system_game_entry.h"
#include "cli/terminal_text.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {

// The folder as an absolute path without a separator at its end (a root keeps its own).
std::string AbsoluteFolder(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(std::u8string(folder.begin(), folder.end())), error);
    if (error)
        return folder;
    const std::u8string text = absolute.lexically_normal().u8string();
    std::string path(text.begin(), text.end());
    const std::size_t rootLength = absolute.root_path().u8string().size();
    while (path.size() > rootLength && (path.back() == kPathSeparator || path.back() == '/'))
        path.pop_back();
    return path;
}

// Where a folder came from, in words; the registry store does not name itself.
std::string Source(const std::string& source)
{
    if (source.empty())
        return std::string("the registry (HKEY_LOCAL_MACHINE\\") + kGameEntryKey + ")";
    return source == "given" ? "the command line" : PrintableText(source);
}

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
        const std::string folder = AbsoluteFolder(*options.setGame);
        if (PathExists(folder) && !IsFolder(folder))
            throw Failure(PrintableText(folder) + " is not a folder.");
        if (!IsFolder(folder))
            throw Failure(PrintableText(FileErrorText(FileErrorCause::NotFound, folder)));
        if (places.system != SearchPlaces::System::Windows && folder.find_first_of("\r\n") != std::string::npos)
            throw Failure("The game folder " + PrintableText(folder) +
                          " can't be stored: its name holds a line break, which the settings file can't keep.");
        if (!store->Write(StoredValueOf(folder)))
            throw Failure("The game folder could not be stored in " + Source(store->Read().source) + ".");
        out += "Stored the game folder " + PrintableText(folder) + " in " + Source(store->Read().source) + ".\n\n";
    }
    const InstallationSearch search = FindInstallation(*store, places, options.folders);
    const std::optional<Installation>& found = search.found;
    bool usable = found.has_value();
    if (found) {
        const GameFolders& folders = found->folders;
        usable = (folders.gameFolder.empty() || IsFolder(folders.gameFolder)) && IsFolder(folders.cacheFolder);
        out += console.OutStyled(Style::Strong, "Game folder:  ") + Folder(folders.gameFolder, 14, console) + "\n" +
               "              " + Wrapped("from " + Source(found->gameSource), 14, console.Width()) + "\n" +
               console.OutStyled(Style::Strong, "Cache folder: ") + Folder(folders.cacheFolder, 14, console) + "\n" +
               "              " + Wrapped("from " + Source(found->cacheSource), 14, console.Width()) + "\n";
    } else {
        out += console.OutStyled(Style::Bad, "No game folder is known.") +
               " Name it with --game DIR, or store it with: tallyhold where --set-game DIR\n";
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
               Wrapped(PrintableText(finding.why) + "; from " + Source(finding.source), 28, console.Width()) + "\n";
    }
    console.Out(out);
    return usable ? kExitDone : kExitFailed;
}

}  // namespace thld::cli
