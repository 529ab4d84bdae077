#pragma once
// Text as the terminal and scripts get it. Names come from cache.ini, which whoever wrote it may
// have filled with anything: what the program shows is always valid UTF-8 (a byte that starts no
// UTF-8 character is taken as the system's rule says: see UnicodeText), and what
// it prints on a terminal holds no control character that could move the cursor or change colours.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/printable_text.h"

namespace thld::cli {

// The core's one rule for showing text from files and users (platform/printable_text.h).
using thld::PrintableText;
using thld::Utf8Text;

// Columns that UTF-8 text takes: one per character.
std::size_t Columns(std::string_view utf8);

// The text cut to at most `columns`, ending in "…" when it was cut.
std::string Shortened(std::string_view utf8, std::size_t columns);

// A path cut to at most `columns` in its middle, "…" standing for what was left out; the end, with
// the file's own name, is kept first.
std::string ShortenedPath(std::string_view utf8, std::size_t columns);

// Words laid one after another into `lines`, a blank between them, on lines of at most `room`
// columns: a word that would pass the end starts a new line, indented by `indent` blanks.
class WordLines {
public:
    WordLines(std::string& lines, std::size_t room, std::size_t indent) : lines_(lines), room_(room), indent_(indent) {}
    // A word `columns` wide, written as `text` (which may hold styling that takes no room).
    void Add(std::string_view text, std::size_t columns);

private:
    std::string& lines_;
    std::size_t room_;
    std::size_t indent_;
    std::size_t used_ = 0;
};

// The words of the text on lines of at most `width` columns, the text starting at column `indent`
// and each line after the first indented as far; a word too long for a line is shortened as a path.
std::string Wrapped(std::string_view utf8, std::size_t indent, std::size_t width);

// The text and then blanks up to `columns` (nothing is cut).
std::string PaddedRight(std::string_view utf8, std::size_t columns);
std::string PaddedLeft(std::string_view utf8, std::size_t columns);

// A size for people: "512 B", "1.5 KiB", "12.3 MiB", "2.0 GiB".
std::string HumanSize(std::uint64_t bytes);

// A text of the window's, its lines broken by "\r\n", as lines for the terminal: broken by "\n",
// each PrintableText.
std::string PrintableLines(std::string_view text);

// A time in seconds since 1970 as "2024-05-01T12:00:00Z".
std::string UtcText(std::int64_t seconds);

}  // namespace thld::cli
