#include "platform/pending_removal.h"

#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld {

PendingRemoval::PendingRemoval(PendingRemoval&& other) noexcept
    : path_(std::move(other.path_)),
      aside_(std::move(other.aside_)),
      handle_(std::move(other.handle_)),
      pending_(std::exchange(other.pending_, false))
{}

PendingRemoval& PendingRemoval::operator=(PendingRemoval&& other) noexcept
{
    if (this != &other) {
        if (pending_)
            PutBack();
        path_ = std::move(other.path_);
        aside_ = std::move(other.aside_);
        handle_ = std::move(other.handle_);
        pending_ = std::exchange(other.pending_, false);
    }
    return *this;
}

PendingRemoval::~PendingRemoval()
{
    if (pending_)
        PutBack();
}

std::optional<PendingRemoval> PendingRemoval::Begin(const std::string& path)
{
    return Begin(path, detail::FreeAsideName(path));
}

namespace detail {
std::string FreeAsideName(const std::string& path)
{
    const std::string base = path + ".tallyhold-old";
    std::string name = base;
    for (int n = 2; PathExists(name); ++n) {
        if (n > 999)
            throw FileError(FileErrorCause::FolderFull, path);
        name = base + std::to_string(n);
    }
    return name;
}
}  // namespace detail

}  // namespace thld
