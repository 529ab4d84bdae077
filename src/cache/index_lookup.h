#pragma once
// Looking entry lines of cache.ini up: by entry number (all of them from one reading, for the
// requirements pass) and by package name (for the commands, right before each change). Both read
// the file whole with one unshared open and take the index from index_scan.h; a read that fails
// after the open raises FileError. Names and lines are the program's text (index_encoding.h), as the
// listing gives them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cache/index_encoding.h"

namespace thld {

// Every entry line of the index in one reading: the stripped entry line of entry number n is
// lines[n - firstEntryNumber].
struct IndexEntries {
    enum class Outcome {
        Read,
        Unreadable,  // cache.ini could not be opened: there are no lines
    };
    Outcome outcome = Outcome::Read;
    int firstEntryNumber = 0;
    std::vector<std::string> lines;

    // The stripped entry line of an entry number, or nothing when there is none.
    std::optional<std::string_view> Line(int entryNumber) const;
};
IndexEntries ReadIndexEntries(const std::string& cacheFolder);

// The same with the lines as cache.ini's text holds them, and the rules that turn that text into the
// program's: for the requirements pass, which looks for the file's own bytes in the packages.
struct StoredEntries {
    IndexText index;       // its text is not kept
    IndexEntries entries;  // the lines as the text holds them
};
StoredEntries ReadStoredEntries(const std::string& cacheFolder);

struct FoundLine {
    enum class Outcome {
        Found,       // `number` and `text` tell the line
        NoSuchLine,  // cache.ini was read, and no entry line of its index holds the name
        Unreadable,  // cache.ini could not be opened
    };
    Outcome outcome = Outcome::NoSuchLine;
    int number = 0;    // line number, from 0, every line counting
    std::string text;  // the line, stripped
};
// The names of the index's entry lines (their values), in file order, each once, as the listing
// names the packages: cache.ini alone is read, no cached file is opened, so a line whose file is
// gone is named too. Nothing where cache.ini can't be opened.
std::optional<std::vector<std::string>> IndexNames(const std::string& cacheFolder);

// The first entry line of the index whose value equals `name` exactly. Lines outside the index
// never match, so every package that the listing shows is found, one with an empty name too.
FoundLine FindEntryLine(const std::string& cacheFolder, const std::string& name);

}  // namespace thld
