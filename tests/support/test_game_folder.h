#pragma once
// A game folder in a temporary folder, for the tests of the commands, of tallyhold and of the
// windows: "game/" with empty cache, Maps, System and Textures folders, laid out with the real
// packages of the corpus or with small made-up ones, and looked at afterwards.

#include <map>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "game/game_folder.h"
#include "package/package_kind.h"
#include "support/temp_folder.h"

namespace thld::test {

// A made-up cached package: its line key=value, and a file of that kind in which the package
// names of `names` stand as packages hold names, so that the listing finds them required.
struct MadeUp {
    std::string key;
    std::string value;
    PackageKind kind;
    std::vector<std::string> names = {};
};

class TestGameFolder {
public:
    TestGameFolder();

    void LayCorpus(const std::vector<std::string>& only = {}) const;
    void LayMadeUp(const std::vector<MadeUp>& packages) const;

    // A path below the game folder, '/' standing for the separator.
    std::string Path(const std::string& relative) const { return temp / ("game/" + relative); }
    std::string CachedPath(const std::string& key) const { return folders.cacheFolder + key + ".uxx"; }
    bool IsCached(const std::string& key) const;
    // The lines of cache.ini up to the first empty one, without their line ends.
    std::vector<std::string> IndexLines() const;
    bool InIndex(const std::string& line) const;
    // Every file below the game folder (see Snapshot).
    std::map<std::string, std::string> Files() const;
    // The listing with its requirements, as the windows have it.
    std::vector<PackageItem> Listed() const;

    TempFolder temp;  // holds "game/", so that paths leading out of it stay inside
    GameFolders folders;
};

// Every file below a folder, by its path relative to it ('/' between folders), with its bytes; a
// file another process holds counts as unchanged while it is held.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// Whether `text` holds `part`, for EXPECT_PRED2.
bool Holds(const std::string& text, const std::string& part);

}  // namespace thld::test
