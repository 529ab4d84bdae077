#include "platform/folder_stamps.h"

#include "platform/code_page.h"

namespace thld {

namespace {
// The system's file names: without regard to case on Windows (and under Wine).
#ifdef _WIN32
constexpr NameIndex::Letters kLetters = NameIndex::Letters::IgnoringCase;
#else
constexpr NameIndex::Letters kLetters = NameIndex::Letters::Exact;
#endif
}  // namespace

FolderStamps::FolderStamps() : index_(kLetters, [this](std::uint32_t number) { return NameOf(entries_[number]); }) {}

void FolderStamps::Add(std::string_view name, const FileStamp& stamp)
{
    entries_.push_back({static_cast<std::uint32_t>(names_.size()), static_cast<std::uint32_t>(name.size()), stamp});
    names_.insert(names_.end(), name.begin(), name.end());
}

void FolderStamps::Index()
{
    entries_.shrink_to_fit();
    names_.shrink_to_fit();
    index_.Reserve(entries_.size());
    for (std::size_t i = 0; i < entries_.size(); ++i)
        index_.Add(static_cast<std::uint32_t>(i));
}

const FileStamp* FolderStamps::Find(std::string_view name) const
{
    const std::optional<std::uint32_t> at = index_.Find(name);
    return at ? &entries_[*at].stamp : nullptr;
}

}  // namespace thld
