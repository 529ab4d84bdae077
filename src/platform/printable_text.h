#pragma once
// Text for people from whatever a file or a user gave: names from cache.ini, paths typed on the
// command line or named in launchers' files. The one rule by which every message and every
// front-end shows such text: valid UTF-8 (UnicodeText), with each control character that could
// move a terminal's cursor, change its colours or turn the text around shown as "?".

#include <string>
#include <string_view>

namespace thld {

// `raw` as valid UTF-8 by the system's rule (UnicodeText: bytes that are no UTF-8 are Latin-1, or
// U+FFFD on Windows), with the C1 control characters as "?".
std::string Utf8Text(std::string_view raw);

// Utf8Text without control characters (C0 such as a line break, DEL, C1, and the marks that turn
// the direction of the text), each shown as "?": safe to print anywhere.
std::string PrintableText(std::string_view raw);

}  // namespace thld
