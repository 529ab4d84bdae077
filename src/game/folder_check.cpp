#include "game/folder_check.h"

#include "game/search_words.h"
#include "platform/folder.h"
#include "platform/path_kind.h"
#include "platform/printable_text.h"

namespace thld {

namespace {

// The folder without its last separator, for "is not a folder" (a file's name has none).
std::string AsPath(std::string folder)
{
    if (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

}  // namespace

std::optional<FolderProblem> CheckInstallationFolders(const GameFolders& folders)
{
    using Kind = FolderProblem::Kind;
    const std::string& game = folders.gameFolder;
    if (!game.empty() && !IsFolder(game)) {
        if (PathExists(AsPath(game)))
            return FolderProblem{Kind::GameFolderNotAFolder, NotAFolderText(AsPath(game))};
        return FolderProblem{Kind::GameFolderMissing, NotThereText(game)};
    }
    const std::string& cache = folders.cacheFolder;
    if (!IsFolder(cache)) {
        if (PathExists(AsPath(cache)))
            return FolderProblem{Kind::CacheFolderNotAFolder, NotAFolderText(AsPath(cache))};
        return FolderProblem{Kind::CacheFolderMissing, NotThereText(cache)};
    }
    if (std::optional<std::string> why = WhyFolderUnreadable(cache))
        return FolderProblem{Kind::CacheFolderUnreadable,
                             "The cache folder " + PrintableText(cache) + " can't be read: " + *why + "."};
    if (!PathExists(cache + "cache.ini"))
        return FolderProblem{Kind::NoIndex, PrintableText(cache) + " has no cache.ini: is this a cache folder?"};
    return std::nullopt;
}

}  // namespace thld
