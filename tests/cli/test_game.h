#pragma once
// A game folder in a temporary folder, and tallyhold run on it: the real packages of the corpus,
// small made-up packages, or a synthetic cache of the benchmark's.

#include <map>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "cli/program_run.h"
#include "game/game_folder.h"
#include "support/temp_folder.h"

namespace thld::test {

// A made-up cached package: its line key=value, and a file of that kind in which the package
// names of `names` stand as packages hold names.
struct MadeUp {
    std::string key;
    std::string value;
    PackageKind kind;
    std::vector<std::string> names = {};
};

class TestGame {
public:
    // The game folder "game" with empty cache, Maps, System and Textures folders.
    TestGame();

    // tallyhold with `arguments`, then --game and the game folder.
    ProgramResult Run(std::vector<std::string> arguments, const std::string& input = {}) const;

    void LayCorpus(const std::vector<std::string>& only = {}) const;
    void LayMadeUp(const std::vector<MadeUp>& packages) const;
    void LaySynthetic(std::size_t count) const;

    // Every file below the game folder, by its path relative to it ('/' between folders), with its bytes.
    std::map<std::string, std::string> Files() const;
    // The listing with its requirements, as the window has it.
    std::vector<PackageItem> Listed() const;
    // A path below the game folder, '/' standing for the separator.
    std::string Path(const std::string& relative) const { return temp / ("game/" + relative); }

    TempFolder temp;
    GameFolders folders;
};

// Whether `text` holds `part`, for EXPECT_PRED2.
bool Holds(const std::string& text, const std::string& part);

}  // namespace thld::test
