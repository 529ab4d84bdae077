#pragma once
// Keys and package names from cache.ini become file names. Whoever wrote the file chose them, so
// a command builds a path from one only when it names a plain file inside its folder.

#include <string>
#include <string_view>

#include "cache/cached_file.h"  // IsPlainFileName

namespace thld {

// Why a command leaves a package in the cache, telling the user.
enum class LeftReason {
    NotPlainName,       // its key (or, for a move, its name) is not a plain file name
    CachedFileIsLink,   // Permanent: its cached file is a link
    DestinationIsLink,  // Permanent: the file it would replace is a link
    LinkNotDeletable,   // Delete: its cached file is a link that can't go without what it leads to
};
// What the user is told about a package that a command leaves in the cache.
std::string LeftAloneMessage(std::string_view packageName, LeftReason reason = LeftReason::NotPlainName);

}  // namespace thld
