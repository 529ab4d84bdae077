#pragma once
// A package's line in cache.ini, looked up right before a command acts on it: the listing may be
// older than the file.

#include <string>

namespace thld {

struct EntryLine {
    int number = 0;    // line number, from 0, every line counting (as RemoveEntryLine takes it)
    std::string text;  // the line, stripped, as the program's text

    // The text after the line's first "=", as the questions show it.
    std::string ShownName() const;
};

// In the words of every reading of cache.ini (cache/index_file.h): Unreadable when the file could not
// be opened, NoSuchLine when no entry line of its index has the name.
struct EntryLookup {
    enum class Outcome {
        Found,       // `line` tells the line
        NoSuchLine,  // cache.ini was read, and no entry line of its index has the name
        Unreadable,  // cache.ini could not be opened
    };
    Outcome outcome = Outcome::NoSuchLine;
    EntryLine line;

    bool IsFound() const { return outcome == Outcome::Found; }
    bool IsUnreadable() const { return outcome == Outcome::Unreadable; }
};

// The first entry line of the index that is key=name; failing that, the first whose value is `name`
// (cache.ini has changed since the listing: the caller tells them apart by the key). A read that
// fails after the open raises FileError.
EntryLookup LookUpEntry(const std::string& cacheFolder, const std::string& name, const std::string& key);

}  // namespace thld
