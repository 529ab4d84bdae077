// Delete: each ticked package, once the user agrees, leaves cache.ini and then the cache folder.

#include "cache/index_rewrite.h"
#include "commands/cache_commands.h"
#include "commands/command_run.h"
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
    if (!removed.message.empty())
        run.prompt.Tell(removed.message);
    if (removed.text.empty())
        return;
    // The header comes back when no line had that number; it may hold an "=" of its own.
    if (!removed.removed) {
        run.prompt.Tell("Error - Couldn't find filename");
        return;
    }
    auto entry = UsableEntry(run, removed.text, NamesUsed::KeyOnly);
    if (!entry)
        return;
    const std::string path = CachedFilePath(cacheFolder, entry->key);
    if (FileExists(path))
        RemoveFile(path);
}

}  // namespace

bool OnDelete(const GameFolders& folders, const std::vector<PackageItem>& items,
              const std::vector<bool>& ticked, UserPrompt& prompt)
{
    CommandRun run{folders, items, prompt, {}};
    bool agreed = false;
    ForEachTicked(items, ticked, [&](std::size_t i) {
        FoundEntry found = FindEntry(folders.cacheFolder, items[i].name);
        if (prompt.Confirm("Confirm Delete File",
                           "Are you sure you want to delete this file?\r\n\r\n" + found.ShownName())) {
            agreed = true;
            DeleteEntry(run, found);
        }
        return true;
    });
    return agreed;
}

}  // namespace thld
