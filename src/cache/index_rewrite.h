#pragma once
// Rewriting cache.ini without one line, keeping the former file as cache.bak.

#include <string>

namespace thld {

struct RemovedLine {
    // The removed line, stripped; the stripped header line when no line after the header had that
    // number; empty when nothing was rewritten.
    std::string text;
    // What the user must be told ("Error reading file ..." or "Error writing new file ... -
    // Aborting!"), or empty.
    std::string message;
};

// Writes cache.ini anew without the line of `lineNumber` (counted from 0). After any single failure
// cache.ini is either the complete former file, or the complete new one with cache.bak holding the
// former. File errors other than those named above are raised as FileError.
RemovedLine RemoveEntryLine(const std::string& cacheFolder, int lineNumber);

}  // namespace thld
