#pragma once
// How cache.ini is written. The game writes it in the system code page, or after a byte-order mark in
// UTF-8 (EF BB BF) or UTF-16LE (FF FE). The cache layer reads every one of them as 8-bit text: a
// file's own bytes, or the UTF-8 form of a UTF-16LE file (its mark becoming the UTF-8 mark), from
// which the file's bytes come back exactly. What leaves the cache layer (names, keys, lines) is the
// program's text: a file without a mark holds the system code page, which is converted; the others
// hold Unicode, which is the program's text already.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

enum class IndexEncoding {
    CodePage,
    Utf8,
    Utf16
};

struct IndexText {
    IndexEncoding encoding = IndexEncoding::CodePage;
    std::string text;     // what the scan reads
    std::string oddByte;  // the last byte of a UTF-16LE file of odd length, which is kept as it is

    // The file's bytes for a text read (and perhaps changed) from this file.
    std::string Encode(std::string_view text) const;
    // A piece of a line (a key, a value) as the program's text.
    std::string NameOf(std::string_view piece) const;
    // True when the piece, as the program's text, is `name`.
    bool NameIs(std::string_view piece, std::string_view name) const;
    // A stripped line as the program's text. The key and the value of a key=value line are converted
    // each on its own, so that the "=" between them always stays.
    std::string LineOf(std::string_view strippedLine) const;
};

IndexText DecodeIndex(std::string bytes);

// cache.ini read whole (see ReadIndexFile) and decoded; nothing when it can't be opened.
std::optional<IndexText> ReadIndexText(const std::string& path);

}  // namespace thld
