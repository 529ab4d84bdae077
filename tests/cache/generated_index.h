#pragma once
// Random cache.ini files whose make-up is known from how they were built: lines before the header,
// the header, the index, and the line that ends it with whatever follows.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace thld::test {

struct GeneratedLine {
    std::string text;  // as read: no LF, and a CR at its end only where the line end is CR LF or none
    std::string end;   // "\r\n", "\n", or "" for a last line without one
};

struct GeneratedIndex {
    bool mark = false;
    std::vector<GeneratedLine> lines;
    int header = -1;   // line number of the header; -1 for a file without one
    int indexEnd = 0;  // line number of the first line after the index

    std::string Bytes() const;
    bool IsEntryLine(int number) const;
    // The file that a rewrite leaving out line `removed` must give.
    std::string Rewritten(int removed) const;
};

GeneratedIndex GenerateIndex(std::mt19937& random);

}  // namespace thld::test
