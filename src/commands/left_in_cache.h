#pragma once
// Why a command leaves a package in the cache, and what the user is told of it: a key or name from
// cache.ini that names no plain file (IsPlainFileName: whoever wrote the file chose them), or a link
// where the command would act on a file.

#include <string>
#include <string_view>

namespace thld {

// Why a command leaves a package in the cache, telling the user.
enum class LeftReason {
    NotPlainName,       // its key (or, for a move, its name) is not a plain file name
    CachedFileIsLink,   // Permanent: its cached file is a link
    DestinationIsLink,  // Permanent: the file it would replace is a link
    LinkNotDeletable,   // Delete: its cached file is a link that can't go without what it leads to
};
// Why, in the words that follow "stays in the cache: ": "its entry in cache.ini is not a plain file
// name", ...
const char* LeftReasonText(LeftReason reason);
// What the user is told about a package that a command leaves in the cache.
std::string LeftAloneMessage(std::string_view packageName, LeftReason reason = LeftReason::NotPlainName);

}  // namespace thld
