#pragma once
// Why a path could not be opened as the file or the folder it should be, in words for a message
// that follows the path: what lies there instead (a folder, a FIFO, a socket, a device, a link that
// leads round in a loop) or the system's cause.

#include <optional>
#include <string>

namespace thld {

// Why `path` can't be opened as a regular file for reading: "was not found", "is a FIFO, not a
// regular file", "is a link that leads round in a loop", "can't be read: access was denied"...
// Asked after an open failed; for a file that does open, "can be read".
std::string WhyNotOpened(const std::string& path);

// Why the folder's entries can't be listed ("access was denied", or the system's words); nothing
// when they can.
std::optional<std::string> WhyFolderUnreadable(const std::string& folder);

}  // namespace thld
