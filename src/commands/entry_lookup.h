#pragma once
// A package's line in cache.ini, looked up right before a command acts on it: the listing may be
// older than the file.

#include <optional>
#include <string>

namespace thld {

struct EntryLine {
    int number = 0;    // line number, from 0, every line counting (as RemoveEntryLine takes it)
    std::string text;  // the line, stripped, as the program's text

    // The text after the line's first "=", as the questions show it.
    std::string ShownName() const;
};

struct EntryLookup {
    bool unreadable = false;        // cache.ini could not be opened
    std::optional<EntryLine> line;  // nothing when no entry line of the index has that name
};

// The first entry line of the index that is key=name; failing that, the first whose value is `name`
// (cache.ini has changed since the listing: the caller tells them apart by the key). A read that
// fails after the open raises FileError.
EntryLookup LookUpEntry(const std::string& cacheFolder, const std::string& name, const std::string& key);

}  // namespace thld
