#include "commands/delete_ticked.h"

#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "commands/command_run.h"
#include "commands/messages.h"
#include "platform/file.h"

namespace thld {

namespace {

// Removes the entry's line from cache.ini and then its cached file, named by the removed line.
void DeleteEntry(CommandRun& run, const FoundEntry& found)
{
    const std::string& cacheFolder = run.folders.cacheFolder;
    if (!found.line.empty() && !UsableEntry(run, found.line, NamesUsed::KeyOnly))
        return;
    RemovedLine removed = RemoveEntryLine(cacheFolder, found.lineNumber);
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        break;
    case RemovedLine::Outcome::NoSuchLine:
        // The header came back instead of a line; it may hold an "=" of its own.
        run.prompt.Tell(messages::kNoFileName);
        return;
    case RemovedLine::Outcome::Unreadable:
        run.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        return;
    case RemovedLine::Outcome::NotCreated:
        run.prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
        return;
    case RemovedLine::Outcome::NoHeader:
        return;
    }
    auto entry = UsableEntry(run, removed.text, NamesUsed::KeyOnly);
    if (!entry)
        return;
    const std::string path = CachedFilePath(cacheFolder, entry->key);
    if (CanOpenUnshared(path))
        RemoveFile(path);
}

}  // namespace

bool DeleteTicked(const GameFolders& folders, const std::vector<PackageItem>& items,
              const std::vector<bool>& ticked, UserPrompt& prompt)
{
    CommandRun run{folders, items, prompt, {}};
    bool agreed = false;
    ForEachTicked(items, ticked, [&](std::size_t i) {
        FoundEntry found = FindEntry(folders.cacheFolder, items[i].name);
        if (prompt.Confirm(messages::kConfirmDeleteTitle, messages::ConfirmDelete(found.ShownName()))) {
            agreed = true;
            DeleteEntry(run, found);
        }
        return true;
    });
    return agreed;
}

}  // namespace thld
