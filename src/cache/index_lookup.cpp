#include "cache/index_lookup.h"

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

IndexEntries ReadIndexEntries(const std::string& cacheFolder)
{
    IndexEntries entries;
    auto bytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!bytes) {
        entries.unreadable = true;
        return entries;
    }
    IndexScan scan = ScanIndex(*bytes);
    if (!scan.header)
        return entries;
    entries.firstEntryNumber = scan.header->number + 1;
    for (const IndexLine& line : scan.body)
        if (line.IsEntry())
            entries.lines.push_back(StripLineBreaks(line.text));
    return entries;
}

std::optional<FoundLine> FindEntryLine(const std::string& cacheFolder, const std::string& name)
{
    auto bytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!bytes)
        return std::nullopt;
    for (const IndexLine& candidate : ScanIndex(*bytes).body) {
        if (!candidate.IsEntry())
            continue;
        std::string stripped = StripLineBreaks(candidate.text);
        if (SplitEntryText(stripped)->value == name)
            return FoundLine{candidate.number, std::move(stripped)};
    }
    return std::nullopt;
}

}  // namespace thld
