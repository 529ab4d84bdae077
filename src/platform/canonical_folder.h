#pragma once
// The one name of a folder, however it was reached: typed relative or absolute, with "./", doubled
// separators, ".." or a link on the way, or (on Windows) through another drive letter or a short
// name. Two paths name the same folder exactly when their canonical folders are equal texts.

#include <optional>
#include <string>

namespace thld {

// The folder's absolute path with every link, "." and ".." resolved (on Windows the final path the
// system gives for an open handle, without its "\\?\" prefix), ending in kPathSeparator; nothing
// when the path names no folder or can't be resolved. An empty path is the current folder.
std::optional<std::string> CanonicalFolder(const std::string& folder);

}  // namespace thld
