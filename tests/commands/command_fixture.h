#pragma once
// A game folder in a temporary folder with a cache of small made-up packages, a prompt that
// answers from a script and records what it was asked and told, and a watch on the disk's moves.

#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/delete_ticked.h"
#include "commands/make_permanent.h"
#include "commands/user_prompt.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/temp_folder.h"

namespace thld::test {

class ScriptedPrompt : public UserPrompt {
public:
    struct Question {
        std::string title;
        std::string message;
    };

    explicit ScriptedPrompt(std::deque<bool> answers = {}) : answers_(std::move(answers)) {}
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override { told.push_back(message); }

    std::vector<std::string> Titles() const;
    std::vector<Question> questions;
    std::vector<std::string> told;

private:
    std::deque<bool> answers_;
};

// One cached package of the made-up cache: key.uxx whose first bytes make GetPackageKind give
// `kind` ("Map", "Script", "Textures/Skins", anything else for "Unknown Type"; "" for no file).
struct Cached {
    std::string key;
    std::string value;
    std::string kind;
    std::vector<std::string> requirements = {};
};

// The bytes of a made-up package of that kind, different for every key.
std::string PackageBytes(const std::string& kind, const std::string& key);

// Every file below a folder, by its path relative to it, with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder);

// Records every move the platform makes, by the path it moves from, and can make one fail.
class MoveWatch {
public:
    MoveWatch();
    ~MoveWatch();
    MoveWatch(const MoveWatch&) = delete;
    MoveWatch& operator=(const MoveWatch&) = delete;

    // The next move from `from` fails with the cause.
    void FailMoveFrom(const std::string& from, FileErrorCause cause = FileErrorCause::AccessDenied);
    std::vector<std::string> moves;  // the paths moved from, in order

private:
    std::map<std::string, FileErrorCause> failing_;
    DiskFaultHook previous_;
};

class CommandTest : public ::testing::Test {
protected:
    CommandTest();

    // Writes the cached files and cache.ini ("[Cache]", one line per package, an empty line) and
    // gives the package items of a listing: one per package whose file exists, in order.
    std::vector<PackageItem> Lay(const std::vector<test::Cached>& packages);
    void WriteIndex(const std::vector<std::string>& lines);

    // The lines of cache.ini up to the first empty one, without their CR LF.
    std::vector<std::string> IndexLines() const;
    bool InIndex(const std::string& line) const;
    std::string CachedPath(const std::string& key) const { return folders.cacheFolder + key + ".uxx"; }
    // A path below the game folder, '/' standing for the separator.
    std::string GamePath(const std::string& relative) const { return temp / ("game/" + relative); }
    bool IsCached(const std::string& key) const;
    // True when the game's folder holds the file with exactly the made-up bytes of that package.
    bool Moved(const std::string& relative, const std::string& kind, const std::string& key) const;

    bool Delete(std::vector<bool> ticks, ScriptedPrompt& prompt);
    bool Permanent(std::vector<bool> ticks, ScriptedPrompt& prompt);

    TempFolder temp;  // holds the game folder "game/", so that paths leading out of it stay inside
    GameFolders folders;
    std::vector<PackageItem> items;
};

}  // namespace thld::test
