#pragma once
// A file deleted together with another change, or not at all. Begin takes the file out of the way,
// under a free name beside it, and makes sure that it can go; the caller then makes its change, and
// Finish deletes the file. Should the change fail, the PendingRemoval goes without Finish and puts
// the file back under its name. Should the program end meanwhile, the file stays under its other
// name (never deleted), for a later run to put back or delete. A link is taken for itself: what it leads to is never
// touched.

#include <optional>
#include <string>

#include "platform/file_handle.h"

namespace thld {

class PendingRemoval {
public:
    // Takes the file at `path` out of the way; nothing when nothing is there. Raises FileError, and
    // leaves the file where it is, when it could not be deleted: a folder, a read-only file, one that
    // another program holds open (on Windows), or a link that this system resolves (file_link.h).
    static std::optional<PendingRemoval> Begin(const std::string& path);
    // The same, with the file waiting under `aside` (a free name in the same folder, such as a
    // record of the step has named before).
    static std::optional<PendingRemoval> Begin(const std::string& path, const std::string& aside);
    // The same checks, leaving the file where it is where the system can tell without moving it
    // that it can go (POSIX: a file or link, not read-only, found by its own status); elsewhere
    // (Windows, where a program holding it open keeps it) as Begin. AsidePath() is `path` when the
    // file stayed. For many files at once: a rename fewer for each.
    static std::optional<PendingRemoval> BeginInPlace(const std::string& path, const std::string& aside);

    // Deletes the file. When that fails the file stays under its other name, and FileError is raised.
    void Finish();

    // Leaves the file under its other name, whatever comes after, unless Finish deletes it: once the
    // change it went with is made, the file must not come back, and a record of the step (not this
    // object) sees it deleted should Finish never be reached.
    void Disown() noexcept { pending_ = false; }

    // Where the file waits meanwhile, in the same folder.
    const std::string& AsidePath() const { return aside_; }

    PendingRemoval(PendingRemoval&& other) noexcept;
    PendingRemoval& operator=(PendingRemoval&& other) noexcept;
    PendingRemoval(const PendingRemoval&) = delete;
    PendingRemoval& operator=(const PendingRemoval&) = delete;
    // Puts the file back under its name, unless it has been deleted.
    ~PendingRemoval();

private:
    PendingRemoval(std::string path, std::string aside, FileHandle handle)
        : path_(std::move(path)), aside_(std::move(aside)), handle_(std::move(handle))
    {}
    void PutBack() noexcept;

    std::string path_;
    std::string aside_;
    FileHandle handle_;  // on Windows, the file opened for deletion; unused elsewhere
    bool pending_ = true;
};

namespace detail {
// A name beside `path` that nothing has: path + ".tallyhold-old", or that with a number behind it.
std::string FreeAsideName(const std::string& path);
}  // namespace detail

}  // namespace thld
