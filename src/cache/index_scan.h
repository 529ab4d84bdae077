#pragma once
// Where the lines and the index of cache.ini lie. The listing, the lookups, FindEntryLine and the
// rewrite all take their lines from this one scan, so they always agree on what the index is.
//
// Lines: LF ends a line, and a CR directly before it belongs to the line end; the last line needs no
// line end. A file without any LF whose text holds a CR is one written with CR line ends: there
// each CR ends a line. A UTF-8 byte-order mark (EF BB BF) at the start of the file is no part of any
// line. Line numbers count every line from 0.
// Header: the first line whose stripped text passes IsHeaderLine.
// Where the index ends: the index is the lines after the header up to, not including, the first line
// that is empty once stripped (it holds nothing but CRs before its line end), or up to the end of the
// file. The header search gives up at such a line as well. That line and all after it are the tail.
// Entry line: a line of the index of more than two characters as read (without its line end) whose
// stripped text holds "=". The first entry line takes the header's line number plus one as its entry
// number, each further one the next number; other lines take none.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace thld {

struct IndexLine {
    int number = 0;         // line number, from 0
    std::string_view text;  // as read, without its line end
    int entryNumber = 0;    // entry numbers start at 1; 0 marks a line that is no entry line
    bool IsEntry() const { return entryNumber > 0; }
};

struct IndexScan {
    bool anyLine = false;        // false for a file with no line at all (nothing but a mark)
    std::size_t markLength = 0;  // 3 when the file starts with a UTF-8 byte-order mark
    std::optional<IndexLine> header;
    std::size_t headerBegin = 0;  // offset of the header's first byte
    std::size_t bodyBegin = 0;    // offset just past the header's line end
    std::vector<IndexLine> body;  // the index, in file order
    std::size_t tailBegin = 0;    // offset of the line that ended the index, or the file's size
    // How a rewrite ends the lines of the index: "\r" in a file of CR line ends, "\n" in one of LF
    // line ends without any CR.
    std::string_view lineEnd = "\r\n";
};

// The scan of the file's bytes; the views in it point into `bytes`.
IndexScan ScanIndex(std::string_view bytes);

}  // namespace thld
