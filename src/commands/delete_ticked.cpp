#include "commands/delete_ticked.h"

#include "cache/cached_file.h"
#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "cache/package_steps.h"
#include "commands/cache_change.h"
#include "commands/command_run.h"
#include "commands/messages.h"
#include "platform/file_link.h"

namespace thld {

namespace {

// Removes the entry's line from cache.ini together with its cached file, in one crash-safe step
// (DeleteCachedPackage). False when the command must stop.
bool DeleteEntry(CommandRun& run, const FoundEntry& found)
{
    const std::string& cacheFolder = run.folders.cacheFolder;
    RemovedLine removed;
    if (found.line.empty()) {
        removed = RemoveEntryLine(cacheFolder, found.lineNumber);
    } else {
        auto entry = UsableEntry(run, found.line, NamesUsed::KeyOnly);
        if (!entry)
            return true;
        const std::string path = CachedFilePath(cacheFolder, entry->key);
        if (LinkAt(path) == LinkKind::Followed) {
            TellLeftAlone(run, found.line, entry->value, LeftReason::LinkNotDeletable);
            return true;
        }
        removed = DeleteCachedPackage(cacheFolder, found.lineNumber, found.line, path);
    }
    switch (removed.outcome) {
    case RemovedLine::Outcome::Removed:
        break;
    case RemovedLine::Outcome::NoSuchLine:
        // The header came back instead of a line; it may hold an "=" of its own.
        run.prompt.Tell(messages::kNoFileName);
        return true;
    case RemovedLine::Outcome::Unreadable:
        run.prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
        return false;
    case RemovedLine::Outcome::NotCreated:
        run.prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
        return false;
    case RemovedLine::Outcome::NoHeader:
        return true;
    }
    run.removedLines.insert(removed.text);
    return true;
}

}  // namespace

bool DeleteTicked(const GameFolders& folders, const std::vector<PackageItem>& items, const std::vector<bool>& ticked,
                  UserPrompt& prompt)
{
    bool agreed = false;
    const ChangeStart start = ChangeCache(folders, std::nullopt, prompt, agreed, [&] {
        CommandRun run{folders, items, prompt};
        return AskEachTicked(run, ticked, messages::kConfirmDeleteTitle, messages::ConfirmDelete, AfterNo::NextItem,
                             [&](std::size_t, const FoundEntry& found) { return DeleteEntry(run, found); });
    });
    return agreed || start == ChangeStart::Changed;
}

}  // namespace thld
