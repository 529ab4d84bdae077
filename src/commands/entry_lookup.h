#pragma once
// A package's line in cache.ini, looked up right before a command acts on it: the listing may be
// older than the file.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/path_stamp.h"

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

// LookUpEntry for a whole run, which holds the cache's lock: cache.ini is read and indexed once, and
// again only after Forget, which the run calls after each change it makes, so that a run of many
// steps reads it once per change rather than once per step. With `watched`, a file changed by
// anything else meanwhile (another file, size or time: path_stamp.h) is read again too, as a run
// that waits for the user's answers needs.
class EntryLookups {
public:
    EntryLookups(std::string cacheFolder, bool watched) : cacheFolder_(std::move(cacheFolder)), watched_(watched) {}
    EntryLookup Find(const std::string& name, const std::string& key);
    // Reads cache.ini again at the next Find.
    void Forget() { read_ = false; }

private:
    struct Candidate {
        std::string key;  // as the program's text
        EntryLine line;
    };
    std::string cacheFolder_;
    bool read_ = false;
    bool unreadable_ = false;
    bool watched_ = false;
    std::optional<PathStamp> stamp_;
    std::map<std::string, std::vector<Candidate>, std::less<>> byName_;  // in the file's order
};

}  // namespace thld
