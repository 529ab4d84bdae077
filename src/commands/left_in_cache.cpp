#include "commands/left_in_cache.h"

#include <algorithm>

namespace thld {

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

const char* LeftReasonText(LeftReason reason)
{
    switch (reason) {
    case LeftReason::NotPlainName:
        break;
    case LeftReason::CachedFileIsLink:
        return "its cached file is a link to another file";
    case LeftReason::DestinationIsLink:
        return "the file it would replace is a link to another file";
    case LeftReason::LinkNotDeletable:
        return "its cached file is a link that can't be deleted here without the file it leads to";
    }
    return "its entry in cache.ini is not a plain file name";
}

std::string LeftAloneMessage(std::string_view packageName, LeftReason reason)
{
    std::string shown(packageName);
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    return "Left \"" + shown + "\" in the cache: " + LeftReasonText(reason) + ".";
}

}  // namespace thld
