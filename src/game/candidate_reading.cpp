#include "game/candidate_reading.h"

#include <algorithm>

#include "game/game_paths.h"
#include "platform/file.h"

namespace thld {

void PassOver(GameCandidates& candidates, const std::string& source, const std::string& folder, const std::string& why,
              FindingReason reason)
{
    candidates.findings.push_back({"game folder", source, folder, false, why, reason});
}

bool IsAbsolute(std::string_view path)
{
#if defined(_WIN32)
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
#else
    return !path.empty() && path[0] == '/';
#endif
}

bool IsWindowsPath(std::string_view path)
{
    const bool drive = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
                       path[1] == ':' && (path[2] == '\\' || path[2] == '/');
    return drive || path.substr(0, 2) == "\\\\";
}

std::string Native(std::string path)
{
#if defined(_WIN32)
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

std::optional<std::string> ReadLauncherText(const std::string& path, GameCandidates& candidates,
                                            bool missingIsWorthAWord, std::uint64_t limit)
{
    LauncherFile file = ReadLauncherFile(path, limit);
    if (file.state == LauncherFile::State::Read)
        return std::move(file.bytes);
    if (file.state != LauncherFile::State::Missing || missingIsWorthAWord) {
        const FindingReason reason = file.state == LauncherFile::State::Missing   ? FindingReason::Missing
                                     : file.state == LauncherFile::State::NotText ? FindingReason::NotText
                                                                                  : FindingReason::Unreadable;
        PassOver(candidates, path, "", WhyNotRead(file), reason);
    }
    return std::nullopt;
}

std::string FolderOnDisk(const std::string& folder)
{
#if defined(_WIN32)
    return WithSeparator(folder);
#else
    return FolderIgnoringCase(WithSeparator(folder), PathStyle::Posix);
#endif
}

}  // namespace thld
