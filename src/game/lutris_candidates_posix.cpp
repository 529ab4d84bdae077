// The game folders that Lutris's game files name (AddLutrisCandidates); not in the Windows build,
// which has no YAML library and no Lutris.
#include <algorithm>

#include "game/candidate_reading.h"
#include "game/launcher_candidates.h"
#include "game/lutris_game.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr std::size_t kMostFiles = 2000;  // of a launcher's folder of games

bool IsGameProgram(std::string_view name)
{
    const std::string lower = LowerAscii(name);
    return lower == "unrealtournament.exe" || lower.rfind("ut-bin", 0) == 0;
}

// The game folder of a Lutris game's exe; nothing (and a finding) where it names none.
std::optional<std::string> GameFolderOfExe(const std::string& exe, const std::string& path, GameCandidates& candidates)
{
    const std::size_t nameAt = exe.find_last_of("/\\");
    const std::string name = nameAt == std::string::npos ? exe : exe.substr(nameAt + 1);
    const std::string shown = Shortened(exe);
    if (!IsGameProgram(name)) {
        PassOver(candidates, path, "", "another game: its exe is " + shown, FindingReason::NotTheGame);
        return std::nullopt;
    }
    if (IsWindowsPath(exe)) {
        PassOver(candidates, path, "", "its game: exe is a Windows path, which Lutris would not run: " + shown,
                 FindingReason::RefusedPath);
        return std::nullopt;
    }
    if (!IsAbsolute(exe)) {
        PassOver(candidates, path, "", "its game: exe is a relative path: " + shown, FindingReason::RefusedPath);
        return std::nullopt;
    }
    const std::size_t systemAt = nameAt == 0 ? std::string::npos : exe.find_last_of('/', nameAt - 1);
    if (systemAt == std::string::npos || LowerAscii(exe.substr(systemAt + 1, 6)) != "system") {
        PassOver(candidates, path, "", "its game: exe is not in a System folder of the game: " + shown,
                 FindingReason::RefusedPath);
        return std::nullopt;
    }
    return FolderOnDisk(exe.substr(0, systemAt + 1));
}

}  // namespace

void AddLutrisCandidates(const std::string& lutrisGames, GameCandidates& candidates, std::vector<std::string>& prefixes)
{
    std::vector<std::string> names = FolderEntries(lutrisGames);
    std::erase_if(names, [](const std::string& name) {
        return name.size() < 5 || LowerAscii(name.substr(name.size() - 4)) != ".yml";
    });
    std::sort(names.begin(), names.end());
    if (names.size() > kMostFiles) {
        PassOver(candidates, lutrisGames, "",
                 "holds " + std::to_string(names.size()) + " game files; only the first " + std::to_string(kMostFiles) +
                     " are read",
                 FindingReason::Other);
        names.resize(kMostFiles);
    }
    for (const std::string& name : names) {
        const std::string path = lutrisGames + name;
        std::optional<std::string> text = ReadLauncherText(path, candidates);
        if (!text)
            continue;
        const LutrisGame game = ReadLutrisGame(*text);
        if (!game.error.empty()) {
            PassOver(candidates, path, "", "not YAML: " + game.error, FindingReason::Malformed);
            continue;
        }
        if (!game.exe || game.exe->empty()) {
            PassOver(candidates, path, "", "names no game: exe (a game without a program of its own)",
                     FindingReason::NotTheGame);
            continue;
        }
        std::optional<std::string> folder = GameFolderOfExe(*game.exe, path, candidates);
        if (!folder)
            continue;
        candidates.games.push_back({*folder, FoundBy::Lutris, path});
        if (game.prefix && IsAbsolute(*game.prefix))
            prefixes.push_back(FolderOnDisk(*game.prefix));
    }
}

}  // namespace thld
