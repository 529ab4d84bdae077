#pragma once
// What tells one state of a file from another without reading it: which file the name leads to
// (a file replaced under the same name is another one), its size, and when it was last written, as
// finely as the system keeps it.

#include <cstdint>
#include <optional>
#include <string>

namespace thld {

struct PathStamp {
    std::uint64_t file = 0;  // the file's number on its volume
    std::uint64_t size = 0;
    std::int64_t written = 0;  // in the system's own units

    bool operator==(const PathStamp&) const = default;
};

// The stamp of the file at `path`; nothing when nothing is there or it can't be asked.
std::optional<PathStamp> StampOf(const std::string& path);

}  // namespace thld
