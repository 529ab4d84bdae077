#pragma once
// Links in the place of a file: a symbolic link, a junction or another reparse point. The program
// reads through them (players share cache files that way) but never deletes, moves or replaces what
// one leads to. Paths are as in file.h.

#include <string>

namespace thld {

enum class LinkKind {
    None,       // a plain file, a folder, or nothing at all
    Removable,  // a link that can be deleted or moved itself, leaving what it leads to alone
    Followed,   // a link that this system resolves whatever is done to it: deleting or moving it
                // would delete or move the file it leads to (Wine shows a Unix symbolic link so)
};

// Whether this system has links of the kind Followed at all: only Windows (and Wine) does. Where
// none can be, a caller that cares only for those asks nothing of the disk.
#ifdef _WIN32
inline constexpr bool kLinksCanBeFollowed = true;
#else
inline constexpr bool kLinksCanBeFollowed = false;
#endif

// What stands at the path, seen without following a link there. A link that leads nowhere is
// Removable where the system shows it, and None where it doesn't (Wine).
LinkKind LinkAt(const std::string& path);

}  // namespace thld
