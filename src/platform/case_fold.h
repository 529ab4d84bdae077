#pragma once
// Names compared without regard to case, for every letter Unicode folds: "DM-Флюкс" and "dm-флюкс"
// are one name, as are "ÉCLAIR" and "éclair". Text is read as UTF-8; a byte that starts no UTF-8
// character is kept as it is, and only ASCII letters fold there.

#include <string>
#include <string_view>

namespace thld {

// The text with each letter that has a simple case folding replaced by it (mostly its lower case).
std::string FoldedCase(std::string_view text);

// True when the two texts are equal once folded.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

}  // namespace thld
