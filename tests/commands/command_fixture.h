#pragma once
// The tests' game folder with a cache of small made-up packages and the package items of its
// listing, the prompt that answers from a script, and a watch on the disk's moves.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/delete_plan.h"
#include "commands/permanent_plan.h"
#include "commands/run_plan.h"
#include "commands/user_prompt.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "support/test_game_folder.h"

namespace thld::test {

// One cached package of the made-up cache: key.uxx whose first bytes make GetPackageKind give
// `kind` ("Map", "Script", "Textures/Skins", anything else for "Unknown Type"; "" for no file).
struct Cached {
    std::string key;
    std::string value;
    std::string kind;
    std::vector<std::string> requirements = {};
};

// A map whose requirements have requirements of their own (Walls.utx, Rules.u, and Sky.utx through
// Rules.u), and a texture besides; and where Permanent puts each, by key, below the game folder.
std::vector<Cached> ArenaPackages();
std::map<std::string, std::string> ArenaDestinations();
// A map, a texture and a script package, none requiring another.
std::vector<Cached> ThreePackages();

// The bytes of a made-up package of that kind, different for every key.
std::string PackageBytes(const std::string& kind, const std::string& key);

// Records every move the platform makes, by the path it moves from, and every removal, and can make
// a move fail.
class MoveWatch {
public:
    MoveWatch();
    ~MoveWatch();
    MoveWatch(const MoveWatch&) = delete;
    MoveWatch& operator=(const MoveWatch&) = delete;

    // The next move from `from` fails with the cause.
    void FailMoveFrom(const std::string& from, FileErrorCause cause = FileErrorCause::AccessDenied);
    std::vector<std::string> moves;     // the paths moved from, in order
    std::vector<std::string> removals;  // the paths removed, in order

private:
    std::map<std::string, FileErrorCause> failing_;
    DiskFaultHook previous_;
};

class CommandTest : public ::testing::Test, public TestGameFolder {
protected:
    // Writes the cached files and cache.ini ("[Cache]", one line per package, an empty line) and
    // gives the package items of a listing: one per package whose file exists, in order.
    std::vector<PackageItem> Lay(const std::vector<test::Cached>& packages);
    void WriteIndex(const std::vector<std::string>& lines);

    // True when the game's folder holds the file with exactly the made-up bytes of that package.
    bool Moved(const std::string& relative, const std::string& kind, const std::string& key) const;

    // The command on the items; true when the user agreed to something. The file error that ended
    // the run is raised.
    bool Delete(std::vector<bool> ticks, ScriptedPrompt& prompt);
    bool Permanent(std::vector<bool> ticks, ScriptedPrompt& prompt);

    std::vector<PackageItem> items;
};

}  // namespace thld::test
