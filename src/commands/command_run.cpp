#include "commands/command_run.h"

#include "cache/cache_index.h"
#include "commands/entry_names.h"

namespace thld {

std::string FoundEntry::ShownName() const
{
    auto equals = line.find('=');
    return equals == std::string::npos ? std::string() : line.substr(equals + 1);
}

FoundEntry FindEntry(const std::string& cacheFolder, const std::string& name)
{
    FoundEntry found;
    found.lineNumber = FindEntryLine(cacheFolder, name, &found.line);
    return found;
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
