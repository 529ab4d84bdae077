#pragma once
// Rewriting cache.ini without one line, keeping the former file as cache.bak.

#include <string>

namespace thld {

struct RemovedLine {
    // The removed line, stripped; the stripped header line when no entry line of the index had that
    // number; empty when nothing was rewritten.
    std::string text;
    // What the user must be told ("Error reading file " + path of cache.ini, or "Error writing new
    // file " + path of cache.ini + " - Aborting!"), or empty.
    std::string message;
    // True when a line was left out (a header such as "[Cache]=x" holds "=" too).
    bool removed = false;
};

// Writes cache.ini anew without the entry line of `lineNumber` (counted from 0, as FindEntryLine
// gives it); any other number (a line before the header, the header, a line of the index that is no
// entry line, the line ending the index, -1) leaves nothing out. The lines of the index are written
// stripped and ended in CR LF; a UTF-8 byte-order mark, the lines before the header, and the line
// that ends the index with everything after it, are carried over byte for byte.
// The new file is written and flushed under a name of its own in the cache folder before anything
// else changes; then the former cache.bak goes, cache.ini becomes cache.bak and the new file becomes
// cache.ini (cache.bak is moved back when that last move fails). After any single failure cache.ini
// is either the complete former file, or the complete new one with cache.bak holding the former, and
// no new file is left behind. When the new file can't be created, nothing has changed (the former
// cache.bak stays) and the message says so. A file without a header is not rewritten (empty text, no
// message). Other file errors are raised as FileError.
RemovedLine RemoveEntryLine(const std::string& cacheFolder, int lineNumber);

}  // namespace thld
