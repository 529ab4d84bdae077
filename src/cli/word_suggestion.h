#pragma once
// The name a user probably meant when a word of the command line is none of the program's: "lst"
// for "list", "--colour" for "--color".

#include <optional>
#include <string>
#include <vector>

namespace thld::cli {

// The name nearest to `word` where one is near enough to be a slip of the fingers (a letter left
// out, added, changed or two swapped, one in three at most) or the start of only one name;
// nothing otherwise.
std::optional<std::string> NearestWord(const std::string& word, const std::vector<std::string>& names);

}  // namespace thld::cli
