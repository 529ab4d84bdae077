#pragma once
// The two parts of a path, split at its last separator: either / or \, since paths from Wine and
// from Windows settings files use \ while ours use /. Nothing is looked up on the disk.

#include <string>
#include <string_view>

namespace thld {

// The folder a path names its file in, with its separator; empty when the path has none.
inline std::string FolderOf(std::string_view path)
{
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

// The last part of a path, after its last separator; the whole path when it has none.
inline std::string_view FileNameOf(std::string_view path)
{
    const std::size_t cut = path.find_last_of("/\\");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace thld
