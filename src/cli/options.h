#pragma once
// What the command line asked for, and how a command ends with an error.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "game/installation.h"

namespace thld::cli {

struct Options {
    InstallationRequest folders;                // --game, --cache
    std::vector<std::string> names;             // the packages named (NAME...)
    bool json = false;                          // list --json
    bool bytes = false;                         // list --bytes: sizes in bytes
    std::string sort;                           // list --sort: empty (cache.ini's order), name, kind, size or age
    bool yes = false;                           // every question answered Yes
    bool dryRun = false;                        // tell what would be done, do nothing
    std::optional<unsigned> olderThanDays;      // delete --older-than
    std::optional<std::string> setGame;         // where --set-game
    bool stale = false;                         // tidy --stale
    bool orphans = false;                       // tidy --orphans
    std::optional<std::string> screenshotFile;  // info --screenshot
    bool noMemo = false;                        // --no-memo: every cached file read
};

// Exit codes: done; a file error, a refusal or a No; bad usage.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// An error that ends the command: its message goes to standard error and the program ends with
// kExitFailed. Thrown before the first change, it leaves every file as it was.
class Failure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace thld::cli
