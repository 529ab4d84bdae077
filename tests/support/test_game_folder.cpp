#include "support/test_game_folder.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cache/index_text.h"
#include "game/cache_contents.h"
#include "support/corpus.h"
#include "support/fake_cache.h"

namespace fs = std::filesystem;

namespace thld::test {

namespace {
std::string BytesOrNote(const std::string& path)
{
    try {
        return ReadFileBytes(path);
    } catch (const std::exception&) {
        return "(held by another process)";
    }
}
}  // namespace

TestGameFolder::TestGameFolder()
{
    folders.gameFolder = temp / "game/";
    folders.cacheFolder = folders.gameFolder + "cache" + kPathSeparator;
    for (const char* sub : {"game/cache", "game/Maps", "game/System", "game/Textures"})
        temp.MakeFolder(sub);
}

void TestGameFolder::LayCorpus(const std::vector<std::string>& only) const
{
    GameFolderOptions options;
    options.only = only;
    LayOutGameFolder(folders.gameFolder, options);
}

void TestGameFolder::LayMadeUp(const std::vector<MadeUp>& packages) const
{
    std::vector<std::string> lines;
    for (const MadeUp& p : packages) {
        lines.push_back(p.key + "=" + p.value);
        std::string bytes = KindWords(p.kind);
        for (const std::string& name : p.names)
            bytes += LengthPrefixed(PackageNameOf(name).substr(0, 254));
        WriteFileBytes(CachedPath(p.key), bytes + "." + std::string(600, ' '));
    }
    WriteIndex(folders.cacheFolder, lines);
}

bool TestGameFolder::IsCached(const std::string& key) const { return fs::exists(FsPath(CachedPath(key))); }

std::vector<std::string> TestGameFolder::IndexLines() const
{
    std::istringstream in(ReadFileBytes(folders.cacheFolder + "cache.ini"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            break;
        lines.push_back(line);
    }
    return lines;
}

bool TestGameFolder::InIndex(const std::string& line) const
{
    const auto lines = IndexLines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::map<std::string, std::string> TestGameFolder::Files() const { return Snapshot(folders.gameFolder); }

std::vector<PackageItem> TestGameFolder::Listed() const
{
    return ListCacheContents(folders, InstalledCopies::Skip).listing.items;
}

std::map<std::string, std::string> Snapshot(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(FsPath(folder)))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), FsPath(folder)).generic_string()] = BytesOrNote(TextOfPath(entry.path()));
    return files;
}

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace thld::test
