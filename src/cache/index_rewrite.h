#pragma once
// Rewriting cache.ini without one line, or with one more, keeping the former file as cache.bak.

#include <string>
#include <vector>

namespace thld {

struct RemovedLine {
    enum class Outcome {
        Removed,     // the line was left out; `text` holds it, stripped
        NoSuchLine,  // no entry line had that number: rewritten all the same, `text` is the header
        NoHeader,    // the file has no header: nothing rewritten
        Unreadable,  // cache.ini could not be opened: nothing rewritten
        NotCreated,  // the new file could not be created: nothing changed
    };
    Outcome outcome = Outcome::NoHeader;
    // The removed line, or the stripped header line (NoSuchLine); empty otherwise. A header such as
    // "[Cache]=x" holds "=" too, so only the outcome tells the two apart.
    std::string text;
};

// Writes cache.ini anew without the entry line of `lineNumber` (counted from 0, as FindEntryLine
// gives it); any other number (a line before the header, the header, a line of the index that is no
// entry line, the line ending the index, -1) leaves nothing out. The file keeps its encoding
// (index_encoding.h). The lines of the index are written stripped and ended in CR LF (in CR alone
// in a file of CR line ends, in LF alone in one of LF line ends without any CR); a byte-order mark, the lines before
// the header, and the line that ends the index with everything after it, are carried over byte for byte. The texts
// given back are the program's text. The new file, and a copy of the former one, are written and flushed under names of
// their own in the cache folder before anything else changes; then the copy takes the place of cache.bak and the new
// file that of cache.ini, each in one step. After any single failure, or a crash, cache.ini is either the complete
// former file, or the complete new one with cache.bak holding the former; after a failure no new file is left behind.
// When the new file can't be created, nothing has changed (the former cache.bak stays). A file without a header is not
// rewritten. Other file errors are raised as FileError.
RemovedLine RemoveEntryLine(const std::string& cacheFolder, int lineNumber);

// RemoveEntryLine for many lines in one rewrite: removed[i] for lineNumbers[i], each with the
// outcome RemoveEntryLine would give it alone (Removed, or NoSuchLine with the header as its text),
// or all with the outcome of a rewrite that did not happen (NoHeader, Unreadable, NotCreated).
std::vector<RemovedLine> RemoveEntryLines(const std::string& cacheFolder, const std::vector<int>& lineNumbers);

enum class AddedLine {
    Added,        // the line is the last line of the index
    NoHeader,     // the file has no header: nothing rewritten
    Unreadable,   // cache.ini could not be opened: nothing rewritten
    NotWritable,  // the line is empty, holds a line end, or can't be written in the file's code page
    NotCreated,   // the new file could not be created: nothing changed
};

// Writes cache.ini anew with `line` (the program's text, stripped) after the last line of the index,
// in the same way and with the same safety as RemoveEntryLine: the file keeps its encoding, the
// index's lines are ended as there, the rest is carried over byte for byte, cache.bak keeps the
// former file, and cache.ini is always whole. Other file errors are raised as FileError.
AddedLine AddEntryLine(const std::string& cacheFolder, const std::string& line);

}  // namespace thld
