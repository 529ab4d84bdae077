#pragma once
// Moves that hold across file systems and survive a crash: a file that can't be renamed to another
// disk is copied to a name of its own beside its destination, synced, and renamed into place, and
// the source is left for the caller to remove once it no longer needs it (a source that could not
// then be removed, a read-only one, is refused before anything is copied). A failure names the file
// that caused it: the destination when its folder refuses, the source otherwise.

#include <string>

namespace thld {

enum class MoveResult {
    Renamed,  // the file is at `to` and gone from `from`
    Copied,   // `to` holds a whole, synced copy; `from` is still there, for the caller to remove
};

// Moves `from` to `to`, never replacing a file at `to`. The copy across file systems is written as
// CopyNameOf(to) first, and removed again when anything fails. FileError on failure, with nothing
// at `to` and `from` as it was.
MoveResult MoveFileDurably(const std::string& from, const std::string& to);

// Where MoveFileDurably writes a copy before it takes its place: to + ".tallyhold-new".
std::string CopyNameOf(const std::string& to);

// Hands the folder's own changes (files made, renamed, removed in it) to the disk: a disk step that
// the test hook of file_fault.h is asked about. Does nothing where the system keeps them without
// being asked, or can't open the folder; FileError when the disk refuses them.
void SyncFolder(const std::string& folder);

namespace detail {
// Renames within one file system, never replacing `to`: false, with nothing changed, when the two
// lie on different file systems. Other failures raise FileError naming `from`.
bool RenameOnSameDevice(const std::string& from, const std::string& to);
// Raises FileError (AccessDenied) for a file that RemoveFile would refuse: a read-only one.
void RefuseUnremovable(const std::string& path);
}  // namespace detail

}  // namespace thld
