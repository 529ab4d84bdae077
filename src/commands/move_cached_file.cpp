#include "commands/move_cached_file.h"

#include "cache/index_file.h"
#include "cache/index_rewrite.h"
#include "commands/messages.h"
#include "platform/file.h"

namespace thld {

namespace {

// A free name in the destination's folder for the file that is being replaced.
std::string AsideName(const std::string& destination)
{
    const std::string base = destination + ".tallyhold-old";
    std::string name = base;
    for (int n = 2; n < 100 && CanOpenUnshared(name); ++n)
        name = base + std::to_string(n);
    return name;
}

// A move that puts something back after a failure: its own failure must not hide the first one.
void MoveBack(const std::string& from, const std::string& to) noexcept
{
    try {
        MoveFileNoReplace(from, to);
    } catch (const FileError&) {
    }
}

// Puts `source` in the place of `destination`. The old file is gone only once the new one is in
// place; when any step fails, the files are put back as they were and the error goes on.
void ReplaceFile(const std::string& source, const std::string& destination)
{
    const std::string aside = AsideName(destination);
    MoveFileNoReplace(destination, aside);
    bool movedIn = false;
    try {
        MoveFileNoReplace(source, destination);
        movedIn = true;
        RemoveFile(aside);
    } catch (const FileError&) {
        if (movedIn)
            MoveBack(destination, source);
        MoveBack(aside, destination);
        throw;
    }
}

}  // namespace

void MoveCachedFile(const std::string& cacheFolder, const std::string& source,
                    const std::string& destination, int lineNumber, UserPrompt& prompt)
{
    if (!CanOpenUnshared(destination)) {
        MoveFileNoReplace(source, destination);
    } else {
        if (!prompt.Confirm(messages::kConfirmReplaceTitle, messages::ConfirmReplace(destination)))
            return;
        ReplaceFile(source, destination);
    }
    RemovedLine removed = RemoveEntryLine(cacheFolder, lineNumber);
    if (removed.outcome == RemovedLine::Outcome::Unreadable)
        prompt.Tell(messages::ReadError(IndexPathOf(cacheFolder)));
    else if (removed.outcome == RemovedLine::Outcome::NotCreated)
        prompt.Tell(messages::WriteError(IndexPathOf(cacheFolder)));
}

}  // namespace thld
