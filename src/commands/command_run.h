#pragma once
// What one run of Delete or Permanent works with, and the steps both commands share: the walk over
// the ticked package items and the lookup of an item's entry line.

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cache/index_text.h"
#include "cache/package_item.h"
#include "commands/entry_names.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"

namespace thld {

struct CommandRun {
    const GameFolders& folders;
    const std::vector<PackageItem>& items;
    UserPrompt& prompt;
    // Entry lines the user has been told about in this run, so that each is told once.
    std::set<std::string> leftAlone = {};
    // Entry lines this run has removed from cache.ini: their packages have been deleted or moved.
    std::set<std::string> removedLines = {};

    // True when the item's package has gone in this run already: deleted, or moved along with
    // another package. The walk passes over it without a question.
    bool HasGone(const PackageItem& item) const;
};

// An entry line found by its package name, looked up right before it is used.
struct FoundEntry {
    int lineNumber = -1;  // -1 when none was found
    std::string line;     // the stripped line; empty when none was found

    // The text after the line's first "=", as the questions show it; empty without a line.
    std::string ShownName() const;
};
FoundEntry FindEntry(const std::string& cacheFolder, const std::string& name);

// The walk both commands take: each ticked item in tree order (ticks past the end of `ticked` count
// as unticked), passed over without a word when this run has already taken its package away; its
// entry line looked up right before the question (`title`, and the message made from the name the
// question shows); on Yes, act(index, found) does the work and says whether the walk goes on. A No
// moves on to the next item or ends the walk (`afterNo`). The items themselves are never changed.
// Gives true when the user agreed to something, so that the cache must be listed again.
enum class AfterNo {
    NextItem,
    EndWalk
};
template <typename Act>
bool AskEachTicked(CommandRun& run, const std::vector<bool>& ticked, const char* title,
                   std::string (*message)(const std::string& shownName), AfterNo afterNo, Act act)
{
    bool agreed = false;
    for (std::size_t i = 0; i < run.items.size() && i < ticked.size(); ++i) {
        if (!ticked[i] || run.HasGone(run.items[i]))
            continue;
        FoundEntry found = FindEntry(run.folders.cacheFolder, run.items[i].name);
        if (!run.prompt.Confirm(title, message(found.ShownName()))) {
            if (afterNo == AfterNo::EndWalk)
                break;
            continue;
        }
        agreed = true;
        if (!act(i, found))
            break;
    }
    return agreed;
}

// What a command may build file names from.
enum class NamesUsed {
    KeyOnly,
    KeyAndName
};

// The entry of a found line, when its key (and, for a move, its package name) can name files.
// Otherwise nothing, and the user is told, once in the run, that the package was left alone.
std::optional<CacheEntry> UsableEntry(CommandRun& run, const std::string& line, NamesUsed used);

// Tells the user, once in the run for each entry line, that its package stays in the cache.
void TellLeftAlone(CommandRun& run, const std::string& line, std::string_view value, LeftReason reason);

}  // namespace thld
