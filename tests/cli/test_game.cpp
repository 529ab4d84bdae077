#include "cli/test_game.h"

#include <filesystem>

#include "cache/index_text.h"
#include "game/cache_contents.h"
#include "platform/file.h"
#include "support/corpus.h"
#include "support/fake_cache.h"
#include "synthetic_cache.h"

namespace fs = std::filesystem;

namespace thld::test {

namespace {
// A file another process holds can't be read: it counts as unchanged while it is held.
std::string BytesOrNote(const std::string& path)
{
    try {
        return ReadFileBytes(path);
    } catch (const std::exception&) {
        return "(held by another process)";
    }
}
}  // namespace

TestGame::TestGame()
{
    folders.gameFolder = temp / "game/";
    folders.cacheFolder = folders.gameFolder + "cache" + kPathSeparator;
    for (const char* sub : {"game/cache", "game/Maps", "game/System", "game/Textures"})
        temp.MakeFolder(sub);
}

ProgramResult TestGame::Run(std::vector<std::string> arguments, const std::string& input) const
{
    arguments.push_back("--game");
    arguments.push_back(folders.gameFolder);
    return RunTallyhold({arguments, input});
}

void TestGame::LayCorpus(const std::vector<std::string>& only) const
{
    GameFolderOptions options;
    options.only = only;
    LayOutGameFolder(folders.gameFolder, options);
}

void TestGame::LayMadeUp(const std::vector<MadeUp>& packages) const
{
    std::vector<std::string> lines;
    for (const MadeUp& p : packages) {
        lines.push_back(p.key + "=" + p.value);
        std::string bytes = KindWords(p.kind);
        for (const std::string& name : p.names)
            bytes += LengthPrefixed(PackageNameOf(name).substr(0, 254));
        WriteFileBytes(folders.cacheFolder + p.key + ".uxx", bytes + "." + std::string(600, ' '));
    }
    WriteIndex(folders.cacheFolder, lines);
}

void TestGame::LaySynthetic(std::size_t count) const
{
    bench::WriteCache(bench::PlanCache(count, 1999), folders.cacheFolder);
}

std::map<std::string, std::string> TestGame::Files() const
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folders.gameFolder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folders.gameFolder).generic_string()] = BytesOrNote(entry.path().string());
    return files;
}

std::vector<PackageItem> TestGame::Listed() const
{
    return ListCacheContents(folders, InstalledCopies::Skip).listing.items;
}

bool Holds(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace thld::test
