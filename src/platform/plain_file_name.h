#pragma once
// The one rule by which a name read from a file someone else wrote (a key of cache.ini, a package's
// name, a launcher's folder name) may become a file or folder name: the program builds a path from
// such a name only when it names one entry inside its folder, on every system.

#include <string_view>

namespace thld {

// True when the name can stand as one file or folder name inside a folder: not empty, not "." or
// "..", and without a path separator (\ or /), a colon or a control character, and no name Windows
// keeps for a device (CON, NUL, COM1, ..., whatever extension or trailing blanks follow).
bool IsPlainFileName(std::string_view name);

}  // namespace thld
