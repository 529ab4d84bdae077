#pragma once
// A plain second reading of cache.ini for the fuzz targets, written apart from the program's own so
// that the two can be compared: the file is cut into lines character by character and the rules are
// applied one at a time. A file after the UTF-16LE mark FF FE is read in its UTF-8 form, in which
// the mark is EF BB BF; texts are those of the program on a system where names are bytes.

#include <string>
#include <string_view>
#include <vector>

namespace thld::fuzz {

struct ModelLine {
    std::string text;  // as read, without its line end
    std::string end;   // "", "\n", "\r\n", or "\r" in a file without LF
};

struct ModelIndex {
    bool utf16 = false;            // the file starts with FF FE
    std::string oddByte;           // the last byte of such a file of odd length
    bool mark = false;             // the text starts with EF BB BF
    std::string lineEnd = "\r\n";  // how the rewrite ends the index's lines
    std::vector<ModelLine> lines;
    int header = -1;              // line number of the header, -1 without one
    int indexEnd = 0;             // line number of the first line after the index
    std::vector<int> entryLines;  // line numbers of the entry lines, in order
};

std::string Stripped(std::string_view text);
ModelIndex ModelOf(std::string_view bytes);
// What cache.ini must hold after the line `removed` is left out of the index (-1: none).
std::string Rewritten(const ModelIndex& model, int removed);
// The value of a stripped entry line.
std::string ValueOfLine(const std::string& stripped);
std::string KeyOfLine(const std::string& stripped);

}  // namespace thld::fuzz
