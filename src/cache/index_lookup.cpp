#include "cache/index_lookup.h"

#include <unordered_set>

#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"

namespace thld {

std::optional<std::string_view> IndexEntries::Line(int entryNumber) const
{
    long long at = static_cast<long long>(entryNumber) - firstEntryNumber;
    if (at < 0 || at >= static_cast<long long>(lines.size()))
        return std::nullopt;
    return lines[static_cast<std::size_t>(at)];
}

StoredEntries ReadStoredEntries(const std::string& cacheFolder)
{
    StoredEntries stored;
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index) {
        stored.entries.outcome = IndexEntries::Outcome::Unreadable;
        return stored;
    }
    IndexScan scan = ScanIndex(index->text);
    if (scan.header) {
        stored.entries.firstEntryNumber = scan.header->number + 1;
        for (const IndexLine& line : scan.body)
            if (line.IsEntry())
                stored.entries.lines.push_back(StripLineBreaks(line.text));
    }
    index->text.clear();
    stored.index = std::move(*index);
    return stored;
}

IndexEntries ReadIndexEntries(const std::string& cacheFolder)
{
    StoredEntries stored = ReadStoredEntries(cacheFolder);
    for (std::string& line : stored.entries.lines)
        line = stored.index.LineOf(line);
    return std::move(stored.entries);
}

std::optional<std::vector<std::string>> IndexNames(const std::string& cacheFolder)
{
    const IndexEntries entries = ReadIndexEntries(cacheFolder);
    if (entries.outcome == IndexEntries::Outcome::Unreadable)
        return std::nullopt;
    std::vector<std::string> names;
    std::unordered_set<std::string_view> seen;
    names.reserve(entries.lines.size());
    for (const std::string& line : entries.lines) {
        const std::string_view name = SplitEntryText(line)->value;
        if (seen.insert(name).second)
            names.emplace_back(name);
    }
    return names;
}

FoundLine FindEntryLine(const std::string& cacheFolder, const std::string& name)
{
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index)
        return {FoundLine::Outcome::Unreadable, 0, ""};
    for (const IndexLine& candidate : ScanIndex(index->text).body) {
        if (!candidate.IsEntry())
            continue;
        std::string stripped = StripLineBreaks(candidate.text);
        if (index->NameIs(SplitEntryText(stripped)->value, name))
            return {FoundLine::Outcome::Found, candidate.number, index->LineOf(stripped)};
    }
    return {FoundLine::Outcome::NoSuchLine, 0, ""};
}

}  // namespace thld
