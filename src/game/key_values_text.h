#pragma once
// Valve's KeyValues text, as Steam writes libraryfolders.vdf and appmanifest_<id>.acf:
//
//   "libraryfolders" { "0" { "path" "/home/player/.local/share/Steam" ... } }
//
// quoted or bare tokens, blocks in braces, // comments. Read as untrusted input: nesting is
// bounded, and text that does not close or holds a stray brace is an error with its reason.

#include <string>
#include <string_view>
#include <vector>

namespace thld {

// One value and the keys of the blocks around it, outermost first, the value's own key last; keys
// in lower case (KeyValues keys ignore case).
struct KeyValue {
    std::vector<std::string> keys;
    std::string value;
};

struct KeyValuesText {
    std::vector<KeyValue> values;  // in the order of the text
    std::string error;             // empty when the whole text was read
};

KeyValuesText ReadKeyValuesText(std::string_view text);

}  // namespace thld
