#pragma once
// The text rules of cache.ini: lines, the header, entry lines and the names they carry.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

// The line without any CR or LF left in it; nothing else is trimmed.
std::string StripLineBreaks(std::string_view line);

// True for a line whose first seven characters, upper-cased, are "[CACHE]".
bool IsHeaderLine(std::string_view line);

// The two parts of a key=value line, split at its first "=", as views into the line.
struct EntryText {
    std::string_view key;    // the text before the first "="
    std::string_view value;  // all after it, further "=" included
};
// Nothing when the (stripped) line holds no "=".
std::optional<EntryText> SplitEntryText(std::string_view strippedLine);

// One key=value line of the index, split at its first "=".
struct CacheEntry {
    std::string key;    // names the cached file: cacheFolder + key + ".uxx"
    std::string value;  // what the game wrote for the package (its file name, extension included)
};
// Nothing when the (stripped) line holds no "=".
std::optional<CacheEntry> SplitEntryLine(std::string_view strippedLine);

// The package's name from an entry's value: the value without a trailing package-file extension
// (".u", ".unr", ".utx", ".uax", ".umx", in any case). A value without one is the name already.
std::string PackageNameOf(std::string_view value);
// The same, as a view into `value`.
std::string_view PackageNameIn(std::string_view value);

}  // namespace thld
