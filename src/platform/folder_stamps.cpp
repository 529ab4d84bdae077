#include "platform/folder_stamps.h"

#include <algorithm>

#include "platform/code_page.h"

namespace thld {

namespace {
#ifdef _WIN32
constexpr bool kNamesIgnoreCase = true;
#else
constexpr bool kNamesIgnoreCase = false;
#endif
}  // namespace

void FolderStamps::Add(std::string_view name, const FileStamp& stamp)
{
    entries_.push_back({static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size()), stamp});
    names_.append(kNamesIgnoreCase ? UpperAsciiText(name) : std::string(name));
}

void FolderStamps::Sort()
{
    std::sort(entries_.begin(), entries_.end(),
              [this](const Entry& a, const Entry& b) { return NameOf(a) < NameOf(b); });
}

const FileStamp* FolderStamps::Find(std::string_view wanted) const
{
    const std::string upper = kNamesIgnoreCase ? UpperAsciiText(wanted) : std::string();
    const std::string_view name = kNamesIgnoreCase ? std::string_view(upper) : wanted;
    auto at = std::lower_bound(entries_.begin(), entries_.end(), name,
                               [this](const Entry& entry, std::string_view wanted) { return NameOf(entry) < wanted; });
    if (at == entries_.end() || NameOf(*at) != name)
        return nullptr;
    return &at->stamp;
}

}  // namespace thld
