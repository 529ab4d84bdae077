#include "commands/command_run.h"

#include "cache/index_lookup.h"

namespace thld {

bool CommandRun::HasGone(const PackageItem& item) const { return removedLines.count(item.key + "=" + item.name) != 0; }

std::string FoundEntry::ShownName() const
{
    auto entry = SplitEntryText(line);
    return entry ? std::string(entry->value) : std::string();
}

FoundEntry FindEntry(const std::string& cacheFolder, const std::string& name)
{
    FoundLine found = FindEntryLine(cacheFolder, name);
    if (found.outcome != FoundLine::Outcome::Found)
        return {};
    return {found.number, std::move(found.text)};
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
    TellLeftAlone(run, line, entry->value, LeftReason::NotPlainName);
    return std::nullopt;
}

void TellLeftAlone(CommandRun& run, const std::string& line, std::string_view value, LeftReason reason)
{
    if (run.leftAlone.insert(line).second)
        run.prompt.Tell(LeftAloneMessage(value, reason));
}

}  // namespace thld
