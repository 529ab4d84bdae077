#include "commands/make_permanent.h"

#include "cache/cached_file.h"
#include "commands/command_run.h"
#include "commands/entry_names.h"
#include "commands/messages.h"
#include "commands/move_cached_file.h"
#include "commands/move_with_requirements.h"

namespace thld {

namespace {

void MakePermanent(CommandRun& run, std::size_t item, const FoundEntry& found)
{
    if (found.line.empty())
        return;
    auto entry = UsableEntry(run, found.line, NamesUsed::KeyAndName);
    if (!entry)
        return;
    const std::string& cacheFolder = run.folders.cacheFolder;
    const PackageKind kind = GetPackageKind(cacheFolder, entry->key);
    auto destination = DestinationPath(run.folders.gameFolder, kind, entry->value);
    if (!destination)
        return;
    const std::string source = CachedFilePath(cacheFolder, entry->key);
    if (kind == kind::Textures)
        MoveCachedFile(cacheFolder, source, *destination, found.lineNumber, run.prompt);
    else
        MoveWithRequirements(run, item, source, *destination);
}

}  // namespace

bool MakeTickedPermanent(const GameFolders& folders, const std::vector<PackageItem>& items,
                 const std::vector<bool>& ticked, UserPrompt& prompt)
{
    CommandRun run{folders, items, prompt, {}};
    bool agreed = false;
    ForEachTicked(items, ticked, [&](std::size_t i) {
        FoundEntry found = FindEntry(folders.cacheFolder, items[i].name);
        if (!prompt.Confirm(messages::kConfirmMoveTitle, messages::ConfirmMove(found.ShownName())))
            return false;
        agreed = true;
        MakePermanent(run, i, found);
        return true;
    });
    return agreed;
}

}  // namespace thld
