// FindCacheFolder: the candidates for the cache folder on each system, judged in order.
#include "game/cache_search.h"

#include <vector>

#include "game/game_paths.h"
#include "game/game_settings.h"
#include "game/installation.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr const char* kCacheRole = "cache folder";
constexpr const char* kDefaultSource = "the game folder's cache folder";
constexpr const char* kGameSystemFolders[] = {"System", "System64", "SystemARM64"};

// One folder the search may take; `taken` says whether it is usable until one is chosen.
FolderFinding Candidate(std::string source, std::string folder, bool usable, std::string why)
{
    return {kCacheRole, std::move(source), std::move(folder), usable, std::move(why)};
}

struct Rules {
    PathStyle style;
    bool ignoreCase;                 // whether the file system ignores case when comparing paths
    std::vector<std::string> areas;  // the game's own folders, resolved
};

bool HoldsIndex(const std::string& folder)
{
    const std::string index = folder + "cache.ini";
    return PathExists(index) && !IsFolder(index);
}

const char* WhyNoValue(GameSetting::State state)
{
    switch (state) {
    case GameSetting::State::Missing:
        return "no such file";
    case GameSetting::State::Unreadable:
        return "the file can't be read";
    case GameSetting::State::NotText:
        return "the file is not text";
    default:
        return "the file sets no CachePath in [Core.System]";
    }
}

// A folder that a CachePath names: taken where it exists inside the game's own folders; elsewhere
// only where it holds a cache.ini, so that no other folder is ever taken for a cache.
FolderFinding JudgeNamedFolder(std::string source, std::string folder, const Rules& rules)
{
    FolderFinding named = Candidate(std::move(source), std::move(folder), false, "");
    bool inside = false;
    for (const std::string& area : rules.areas)
        inside = inside || IsWithinFolder(named.folder, area, rules.ignoreCase);
    if (!inside) {
        named.taken = HoldsIndex(named.folder);
        named.why = named.taken ? "named by CachePath; outside the game's folders, but holds a cache.ini"
                                : "named by CachePath; outside the game's folders and holds no cache.ini";
    } else if (!IsFolder(named.folder)) {
        named.why = "named by CachePath; does not exist";
    } else {
        named.taken = true;
        named.why = "named by CachePath";
    }
    return named;
}

// The candidate of a settings file: the folder its CachePath names (taken from `base` where
// relative), or why it names none (then without a folder).
FolderFinding FromSettingsFile(const std::string& file, const std::string& base, const Rules& rules)
{
    std::string source = "CachePath in " + file;
    GameSetting setting = ReadGameSetting(file, "Core.System", "CachePath");
    if (setting.state != GameSetting::State::Value)
        return Candidate(std::move(source), "", false, WhyNoValue(setting.state));
    std::string folder = ResolveFolderPath(base, setting.value, rules.style);
    if (rules.style == PathStyle::Posix)
        folder = FolderIgnoringCase(folder, rules.style);
    return JudgeNamedFolder(std::move(source), std::move(folder), rules);
}

std::vector<FolderFinding> WindowsCandidates(const std::string& gameFolder)
{
    const std::string standard = CacheFolderOf(gameFolder);
    const Rules rules{PathStyle::Windows, true, {ResolveFolderPath("", gameFolder, PathStyle::Windows)}};
    std::vector<FolderFinding> candidates;
    for (const char* system : {"System", "System64"}) {
        const std::string systemFolder = gameFolder + system + "\\";
        const std::string file = systemFolder + kGameSettingsFileName;
        if (candidates.size() > 0 && !PathExists(file))
            continue;  // only the first is worth a word when it is missing
        FolderFinding named = FromSettingsFile(file, systemFolder, rules);
        if (!named.folder.empty() &&
            EqualIgnoringAsciiCase(named.folder, ResolveFolderPath("", standard, PathStyle::Windows))) {
            named = Candidate(named.source, standard, false, "names the default cache folder");
        }
        candidates.push_back(std::move(named));
    }
    candidates.push_back(Candidate(kDefaultSource, standard, true, "the default"));
    return candidates;
}

std::vector<FolderFinding> NativeCandidates(const std::string& gameFolder, const SearchPlaces& places)
{
    const std::string& user = places.gameUserFolder;
    Rules rules{PathStyle::Posix, places.system == SearchPlaces::System::MacOS, {gameFolder}};
    if (!user.empty())
        rules.areas.push_back(user);
    const std::string userSystem = user.empty() ? std::string() : GameSubfolder(user, "System");

    // The settings files the game may read, in the order it looks for them.
    std::vector<std::string> files;
    for (const char* system : kGameSystemFolders) {
        if (auto folder = EntryIgnoringCase(gameFolder, system, true)) {
            const std::string systemFolder = gameFolder + *folder + "/";
            if (auto file = EntryIgnoringCase(systemFolder, kGameSettingsFileName))
                files.push_back(systemFolder + *file);
        }
    }
    if (!userSystem.empty()) {
        if (auto file = EntryIgnoringCase(userSystem, kGameSettingsFileName))
            files.push_back(userSystem + *file);
    }

    std::vector<FolderFinding> candidates;
    if (files.empty()) {
        candidates.push_back(Candidate("the game's settings file", "", false,
                                       "no " + std::string(kGameSettingsFileName) + " in the game's System folder" +
                                           (userSystem.empty() ? std::string() : " or in " + userSystem)));
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (i > 0) {
            candidates.push_back(
                Candidate("CachePath in " + files[i], "", false, "the game reads " + files[0] + " instead"));
            continue;
        }
        // The game takes a relative CachePath from its per-user System folder wherever the file is.
        const std::string base = userSystem.empty() ? files[i].substr(0, files[i].rfind('/') + 1) : userSystem;
        candidates.push_back(FromSettingsFile(files[i], base, rules));
    }

    if (!user.empty()) {
        const std::string cache = GameSubfolder(user, "Cache");
        const bool holds = HoldsIndex(cache);
        candidates.push_back(Candidate("the game's per-user cache folder", cache, holds,
                                       holds             ? "holds a cache.ini"
                                       : IsFolder(cache) ? "holds no cache.ini"
                                                         : "does not exist"));
    }
    candidates.push_back(Candidate(kDefaultSource, GameSubfolder(gameFolder, "Cache"), true, "the default"));
    return candidates;
}

}  // namespace

CacheFolderChoice FindCacheFolder(const std::string& gameFolder, const SearchPlaces& places,
                                  std::vector<FolderFinding>& findings)
{
    std::vector<FolderFinding> candidates = places.system == SearchPlaces::System::Windows
                                                ? WindowsCandidates(gameFolder)
                                                : NativeCandidates(gameFolder, places);
    std::size_t taken = candidates.size() - 1;  // the last, the default, is always usable
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].taken) {
            taken = i;
            break;
        }
    }
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const FolderFinding& one = candidates[i];
        findings.push_back({kCacheRole, one.source, one.folder, i == taken,
                            one.taken && i > taken ? "a folder before it is taken" : one.why});
    }
    return {candidates[taken].folder, candidates[taken].source};
}

}  // namespace thld
