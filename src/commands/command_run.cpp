#include "commands/command_run.h"

#include "cache/index_lookup.h"
#include "commands/entry_names.h"

namespace thld {

std::string FoundEntry::ShownName() const
{
    auto entry = SplitEntryText(line);
    return entry ? std::string(entry->value) : std::string();
}

FoundEntry FindEntry(const std::string& cacheFolder, const std::string& name)
{
    auto found = FindEntryLine(cacheFolder, name);
    if (!found)
        return {};
    return {found->number, std::move(found->text)};
}

std::optional<CacheEntry> UsableEntry(CommandRun& run, const std::string& line, NamesUsed used)
{
    auto entry = SplitEntryLine(line);
    if (!entry)
        return std::nullopt;
    bool usable = IsPlainFileName(entry->key);
    if (used == NamesUsed::KeyAndName)
        usable = usable && IsPlainFileName(PackageNameOf(entry->value));
    if (usable)
        return entry;
    if (run.leftAlone.insert(line).second)
        run.prompt.Tell(LeftAloneMessage(entry->value));
    return std::nullopt;
}

}  // namespace thld
