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

// Calls handle(index) for each ticked item in tree order (ticks past the end of `ticked` count as
// unticked) until it returns false. The items themselves are never changed.
template <typename Handle>
void ForEachTicked(const std::vector<PackageItem>& items, const std::vector<bool>& ticked, Handle handle)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i < ticked.size() && ticked[i] && !handle(i))
            return;
    }
}

// What a command may build file names from.
enum class NamesUsed { KeyOnly, KeyAndName };

// The entry of a found line, when its key (and, for a move, its package name) can name files.
// Otherwise nothing, and the user is told, once in the run, that the package was left alone.
std::optional<CacheEntry> UsableEntry(CommandRun& run, const std::string& line, NamesUsed used);

// Tells the user, once in the run for each entry line, that its package stays in the cache.
void TellLeftAlone(CommandRun& run, const std::string& line, std::string_view value, LeftReason reason);

}  // namespace thld
