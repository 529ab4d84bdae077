#include "commands/entry_names.h"

#include <algorithm>

#include "platform/code_page.h"
#include "platform/file.h"

namespace thld {

namespace {

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

}  // namespace

std::string LeftAloneMessage(std::string_view packageName, LeftReason reason)
{
    std::string shown(packageName);
    std::replace_if(shown.begin(), shown.end(), IsControl, '?');
    const char* why = "its entry in cache.ini is not a plain file name.";
    switch (reason) {
    case LeftReason::NotPlainName:
        break;
    case LeftReason::CachedFileIsLink:
        why = "its cached file is a link to another file.";
        break;
    case LeftReason::DestinationIsLink:
        why = "the file it would replace is a link to another file.";
        break;
    case LeftReason::LinkNotDeletable:
        why = "its cached file is a link that can't be deleted here without the file it leads to.";
        break;
    }
    return "Left \"" + shown + "\" in the cache: " + why;
}

}  // namespace thld
