#pragma once
// What the finders of game folder candidates share: a launcher's file read as untrusted input, with
// a finding that names the file and why where it can't be read; a finding for what was passed
// over; and the tests of a path or a name that a launcher's file gives.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/launcher_candidates.h"
#include "game/launcher_file.h"

namespace thld {

// A finding of a game folder passed over, and why.
void PassOver(GameCandidates& candidates, const std::string& source, const std::string& folder, const std::string& why,
              FindingReason reason);
// An absolute path of this system (a drive letter's on Windows).
bool IsAbsolute(std::string_view path);
// A path as Windows writes it: a drive letter ("C:\..." or "C:/...") or a server ("\\server\...").
bool IsWindowsPath(std::string_view path);
// The path with the system's separators.
std::string Native(std::string path);
// A launcher's file, read; nothing (and a finding, unless it is simply missing and that is usual)
// where it can't be, or is no text.
std::optional<std::string> ReadLauncherText(const std::string& path, GameCandidates& candidates,
                                            bool missingIsWorthAWord = true, std::uint64_t limit = kLauncherFileLimit);
// An absolute folder as it is spelt on the disk: where the system tells the case of names apart,
// each part spelt in another case is matched to the one on disk (the launchers' files name folders
// as the user once typed them); ends in the separator.
std::string FolderOnDisk(const std::string& folder);

}  // namespace thld
