#include "commands/entry_lookup.h"

#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"

namespace thld {

std::string EntryLine::ShownName() const
{
    auto entry = SplitEntryText(text);
    return entry ? std::string(entry->value) : std::string();
}

EntryLookup LookUpEntry(const std::string& cacheFolder, const std::string& name, const std::string& key)
{
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index)
        return {EntryLookup::Outcome::Unreadable, {}};
    EntryLookup found;
    for (const IndexLine& candidate : ScanIndex(index->text).body) {
        if (!candidate.IsEntry())
            continue;
        const std::string stripped = StripLineBreaks(candidate.text);
        const auto entry = SplitEntryText(stripped);
        if (!index->NameIs(entry->value, name))
            continue;
        const bool own = index->NameIs(entry->key, key);
        if (own || !found.IsFound())
            found = {EntryLookup::Outcome::Found, EntryLine{candidate.number, index->LineOf(stripped)}};
        if (own)
            break;
    }
    return found;
}

EntryLookup EntryLookups::Find(const std::string& name, const std::string& key)
{
    const std::string path = IndexPathOf(cacheFolder_);
    std::optional<PathStamp> stamp;
    if (watched_) {
        stamp = StampOf(path);
        if (!stamp || stamp != stamp_)
            read_ = false;
    }
    if (!read_) {
        byName_.clear();
        auto index = ReadIndexText(path);
        unreadable_ = !index;
        read_ = !unreadable_;  // an unreadable file is tried again
        stamp_ = stamp;
        if (index) {
            for (const IndexLine& candidate : ScanIndex(index->text).body) {
                if (!candidate.IsEntry())
                    continue;
                const std::string stripped = StripLineBreaks(candidate.text);
                const auto entry = SplitEntryText(stripped);
                byName_[index->NameOf(entry->value)].push_back(
                    {index->NameOf(entry->key), EntryLine{candidate.number, index->LineOf(stripped)}});
            }
        }
    }
    if (unreadable_)
        return {EntryLookup::Outcome::Unreadable, {}};
    const auto named = byName_.find(name);
    if (named == byName_.end())
        return {};
    for (const Candidate& candidate : named->second)
        if (candidate.key == key)
            return {EntryLookup::Outcome::Found, candidate.line};
    return {EntryLookup::Outcome::Found, named->second.front().line};
}

}  // namespace thld
