#pragma once
// Folder paths as the game's settings name them: resolved by their text, matched to the names on
// disk without regard to case, and tested for lying inside another folder.

#include <optional>
#include <string>
#include <string_view>

namespace thld {

enum class PathStyle {
    Windows,
    Posix
};

inline char SeparatorOf(PathStyle style) { return style == PathStyle::Windows ? '\\' : '/'; }

// The folder that `path` names, ending in the style's separator: a relative path is taken from
// `base`; both / and \ separate parts (settings files travel between systems); "." and ".." are
// resolved by the text alone, never above the root. On Windows a path may start with a drive
// ("D:\..."), a server ("\\server\share\...") or a lone \ (the root of `base`'s drive).
std::string ResolveFolderPath(std::string_view base, std::string_view path, PathStyle style);

// The name of the entry in `folder` that is `name` in any case: `name` itself where it exists,
// otherwise the first entry whose name differs only in the case of letters a to z. With
// `foldersOnly`, only folders count.
std::optional<std::string> EntryIgnoringCase(const std::string& folder, std::string_view name,
                                             bool foldersOnly = false);

// The folder with each of its parts spelt as on disk where only the case differs (see
// EntryIgnoringCase); parts that don't exist are kept as they are. `folder` is absolute and ends in
// the separator.
std::string FolderIgnoringCase(const std::string& folder, PathStyle style);

// True when `path` is `folder` or lies inside it (both resolved, ending in the separator).
bool IsWithinFolder(std::string_view path, std::string_view folder, bool ignoreCase);

}  // namespace thld
