#include "support/folder_spellings.h"

#include <filesystem>
#include <system_error>

#include "support/temp_folder.h"

namespace thld::test {

namespace {

std::string Doubled(const std::string& path)
{
    std::string out;
    for (char c : path) {
        out += c;
        if (c == kPathSeparator)
            out += c;
    }
    return out;
}

}  // namespace

std::vector<FolderSpelling> SpellingsOf(const GameFolders& folders, const std::string& link)
{
    const std::string separator(1, kPathSeparator);
    std::error_code error;
    const std::string relative =
        TextOfPath(std::filesystem::relative(FsPath(folders.gameFolder), std::filesystem::current_path(), error)) +
        separator;
    const std::string stored = GameFolderFromValue(StoredValueOf(folders.gameFolder));
    std::vector<FolderSpelling> spellings = {
        {"Relative", {relative, relative + "cache" + separator}},
        {"DotFirst", {"." + separator + relative, "." + separator + relative + "cache" + separator}},
        {"DoubledSeparators", {Doubled(folders.gameFolder), Doubled(folders.cacheFolder)}},
        {"Absolute", folders},
        {"CacheAlone", {"", folders.cacheFolder}},
        {"RelativeCacheAlone", {"", relative + "cache" + separator}},
        {"StoredEntry", {stored, stored + "cache" + separator}},
    };
    std::string game = folders.gameFolder;
    game.pop_back();
    std::filesystem::create_directory_symlink(FsPath(game), FsPath(link), error);
    if (!error)
        spellings.push_back({"ThroughALink", {link + separator, link + separator + "cache" + separator}});
    return spellings;
}

}  // namespace thld::test
