#include "platform/folder.h"

namespace thld {

std::vector<std::string> FolderEntries(const std::string& folder)
{
    std::vector<std::string> names;
    FolderHoldsEntry(folder, [&](std::string_view name) {
        names.emplace_back(name);
        return false;  // every entry, to the end
    });
    return names;
}

}  // namespace thld
