#include "game/lead_reading.h"

#include <algorithm>

#include "game/launcher_file.h"
#include "platform/file.h"

namespace thld::lead_reading {

void PassOver(GameLeads& leads, const std::string& source, const std::string& folder, const std::string& why)
{
    leads.findings.push_back({"game folder", source, folder, false, why});
}

bool IsAbsolute(std::string_view path)
{
#if defined(_WIN32)
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
#else
    return !path.empty() && path[0] == '/';
#endif
}

std::string Native(std::string path)
{
#if defined(_WIN32)
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

std::optional<std::string> Read(const std::string& path, GameLeads& leads, bool missingIsWorthAWord,
                                std::uint64_t limit)
{
    LauncherFile file = ReadLauncherFile(path, limit);
    if (file.state == LauncherFile::State::Read)
        return std::move(file.bytes);
    if (file.state != LauncherFile::State::Missing || missingIsWorthAWord)
        PassOver(leads, path, "", WhyNotRead(file));
    return std::nullopt;
}

bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace thld::lead_reading
