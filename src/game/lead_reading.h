#pragma once
// What the readers of the launchers' files share: a file read as untrusted input with a finding
// when it can't be, a finding for what was passed over, and the tests of a path or a name that a
// launcher's file gives.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/launcher_file.h"
#include "game/launcher_leads.h"

namespace thld::lead_reading {

// A finding of a game folder passed over, and why.
void PassOver(GameLeads& leads, const std::string& source, const std::string& folder, const std::string& why);
// An absolute path of this system (a drive letter's on Windows).
bool IsAbsolute(std::string_view path);
// The path with the system's separators.
std::string Native(std::string path);
// A launcher's file, read; nothing (and a finding, unless it is simply missing and that is usual)
// when it can't be.
std::optional<std::string> Read(const std::string& path, GameLeads& leads, bool missingIsWorthAWord = true,
                                std::uint64_t limit = kLauncherFileLimit);
// A plain folder name (no separator, not "." or ".."), as Steam's installdir should be.
bool IsPlainName(std::string_view name);

}  // namespace thld::lead_reading
