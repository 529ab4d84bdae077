#include "game/launcher_candidates.h"

#include <algorithm>

#include "game/candidate_reading.h"
#include "game/json_text.h"
#include "game/key_values_text.h"
#include "game/launcher_file.h"
#include "platform/file.h"
#include "platform/folder.h"
#include "platform/plain_file_name.h"

namespace thld {

namespace {

constexpr const char* kSteamAppId = "13240";

// The game folder that a library's appmanifest_13240.acf names; `list` is where the library was
// named (the Steam root, or its libraryfolders.vdf).
void AddLibrary(const std::string& library, const std::string& list, GameCandidates& candidates,
                std::vector<std::string>& prefixes)
{
    if (!IsFolder(library)) {
        PassOver(candidates, list, library, "a Steam library that is not there: an unmounted disk?",
                 FindingReason::Missing);
        return;
    }
    const std::string steamapps = library + "steamapps" + kPathSeparator;
    const std::string manifest = steamapps + "appmanifest_" + kSteamAppId + ".acf";
    if (!PathExists(manifest)) {
        PassOver(candidates, list, library,
                 "a Steam library without the game: it holds no steamapps/appmanifest_13240.acf",
                 FindingReason::NotTheGame);
        return;
    }
    std::optional<std::string> text = ReadLauncherText(manifest, candidates);
    if (!text)
        return;
    KeyValuesText read = ReadKeyValuesText(*text);
    std::optional<std::string> installDir;
    for (const KeyValue& value : read.values) {
        if (value.keys == std::vector<std::string>{"appstate", "installdir"})
            installDir = value.value;
    }
    if (!read.error.empty() || !installDir || !IsPlainFileName(*installDir)) {
        PassOver(candidates, manifest, "",
                 !read.error.empty() ? "not Steam's KeyValues text: " + read.error
                 : !installDir       ? "names no \"installdir\""
                                     : "its \"installdir\" is no plain folder name: " + Shortened(*installDir),
                 !read.error.empty() || !installDir ? FindingReason::Malformed : FindingReason::RefusedPath);
        return;
    }
    // Steam names the folder as the game's store page spells it; the disk may spell it otherwise.
    candidates.games.push_back(
        {FolderOnDisk(steamapps + "common" + kPathSeparator + *installDir), FoundBy::Steam, manifest});
    prefixes.push_back(steamapps + "compatdata" + kPathSeparator + kSteamAppId + kPathSeparator + "pfx" +
                       kPathSeparator);
}

// The folders that a libraryfolders.vdf lists: "path" in a block of its own, or in the older list
// the numbered values.
std::vector<std::string> ListedLibraries(const std::string& list, GameCandidates& candidates)
{
    std::vector<std::string> libraries;
    std::optional<std::string> text = ReadLauncherText(list, candidates, false);
    if (!text)
        return libraries;
    KeyValuesText read = ReadKeyValuesText(*text);
    if (!read.error.empty())
        PassOver(candidates, list, "", "not Steam's KeyValues text: " + read.error, FindingReason::Malformed);
    for (const KeyValue& value : read.values) {
        const bool named = value.keys.size() >= 2 && value.keys.back() == "path";
        const bool numbered = value.keys.size() == 2 && value.keys.front() == "libraryfolders" &&
                              !value.keys.back().empty() &&
                              value.keys.back().find_first_not_of("0123456789") == std::string::npos;
        if (!named && !numbered)
            continue;
        if (!IsAbsolute(value.value))
            PassOver(candidates, list, "", "a library path that is not absolute: " + Shortened(value.value),
                     FindingReason::RefusedPath);
        else
            libraries.push_back(WithSeparator(Native(value.value)));
    }
    return libraries;
}

}  // namespace

GameBuilds BuildsIn(const std::string& folder)
{
    GameBuilds builds;
    for (const std::string& entry : FolderEntries(folder)) {
        if (LowerAscii(entry).rfind("system", 0) != 0 || !IsFolder(folder + entry))
            continue;
        const std::string system = folder + entry + kPathSeparator;
        for (const std::string& file : FolderEntries(system)) {
            const std::string lower = LowerAscii(file);
            if (lower == "unrealtournament.exe" && LowerAscii(entry) == "system")
                builds.windows = true;
            else if (lower.rfind("ut-bin", 0) == 0 && !IsFolder(system + file))
                builds.native = true;
        }
    }
    return builds;
}

void AddSteamCandidates(const std::string& steamRoot, GameCandidates& candidates, std::vector<std::string>& prefixes)
{
    const std::string root = WithSeparator(Native(steamRoot));
    if (!IsFolder(root))
        return;
    if (!candidates.steamFolders.insert("root " + RealFolder(root)).second) {
        PassOver(candidates, root, "", "the same Steam folder as one looked at before", FindingReason::Duplicate);
        return;
    }
    const std::string list = root + "steamapps" + kPathSeparator + "libraryfolders.vdf";
    std::vector<std::string> libraries = ListedLibraries(list, candidates);
    libraries.insert(libraries.begin(), root);
    for (const std::string& library : libraries) {
        // Each library once: the root is usually listed in its own list, and several roots are
        // often links to one folder.
        if (candidates.steamFolders.insert(RealFolder(library)).second)
            AddLibrary(library, library == root ? root : list, candidates, prefixes);
    }
}

void AddHeroicCandidates(const std::string& heroicConfig, GameCandidates& candidates,
                         std::vector<std::string>& prefixes)
{
    const std::string list = heroicConfig + "gog_store/installed.json";
    std::optional<std::string> text = ReadLauncherText(list, candidates, false);
    if (!text)
        return;
    JsonText read = ReadJsonText(*text);
    const JsonValue* installed = read.value.Member("installed");
    if (!read.error.empty() || !installed || installed->type != JsonValue::Type::Array) {
        PassOver(candidates, list, "", read.error.empty() ? "holds no \"installed\" list" : "not JSON: " + read.error,
                 FindingReason::Malformed);
        return;
    }
    for (const JsonValue& game : installed->items) {
        std::optional<std::string> folder = game.StringMember("install_path");
        std::optional<std::string> appName = game.StringMember("appName");
        if (!folder || !IsAbsolute(*folder)) {
            PassOver(candidates, list, "",
                     folder ? "an install_path that is not absolute: " + Shortened(*folder)
                            : "a game without an install_path",
                     folder ? FindingReason::RefusedPath : FindingReason::Malformed);
            continue;
        }
        const std::string gameFolder = FolderOnDisk(Native(*folder));
        const GameBuilds builds = BuildsIn(gameFolder);
        if (!builds.windows && !builds.native) {
            PassOver(candidates, list, gameFolder,
                     IsFolder(gameFolder) ? "another game: holds no System/UnrealTournament.exe or System*/ut-bin*"
                                          : "not there: an unmounted disk?",
                     IsFolder(gameFolder) ? FindingReason::NotTheGame : FindingReason::Missing);
            continue;
        }
        candidates.games.push_back({gameFolder, FoundBy::Heroic, list});
        if (!appName || !IsPlainFileName(*appName))
            continue;
        const std::string config = heroicConfig + "GamesConfig/" + *appName + ".json";
        std::optional<std::string> settings = ReadLauncherText(config, candidates, false);
        if (!settings)
            continue;
        JsonText configRead = ReadJsonText(*settings);
        const JsonValue* own = configRead.value.Member(*appName);
        std::optional<std::string> prefix = own ? own->StringMember("winePrefix") : std::nullopt;
        if (!configRead.error.empty())
            PassOver(candidates, config, "", "not JSON: " + configRead.error, FindingReason::Malformed);
        else if (prefix && IsAbsolute(*prefix))
            prefixes.push_back(FolderOnDisk(*prefix));
    }
}

GameCandidates FindGameCandidates(const SearchPlaces& places)
{
    GameCandidates candidates;
    if (places.registry)
        AddWindowsRegistryCandidates(*places.registry, candidates);
    std::vector<std::string> prefixes;
    if (places.searchLaunchers && !places.home.empty()) {
        const std::string& home = places.home;
        if (places.system == SearchPlaces::System::MacOS) {
            AddSteamCandidates(home + "Library/Application Support/Steam/", candidates, prefixes);
        } else if (places.system == SearchPlaces::System::Linux) {
            // Native, Flatpak's (its home is ~/.var/app/<id>/) and Snap's.
            for (const char* root :
                 {".local/share/Steam/", ".steam/steam/", ".steam/root/", ".steam/debian-installation/",
                  ".var/app/com.valvesoftware.Steam/.local/share/Steam/",
                  ".var/app/com.valvesoftware.Steam/.steam/steam/", "snap/steam/common/.local/share/Steam/"})
                AddSteamCandidates(home + root, candidates, prefixes);
#if !defined(_WIN32)
            // Lutris keeps its games in its config folder, and from 0.5.13 on in its data folder.
            std::unordered_set<std::string> lutrisFolders;
            for (const char* games :
                 {".config/lutris/games/", ".local/share/lutris/games/",
                  ".var/app/net.lutris.Lutris/config/lutris/games/", ".var/app/net.lutris.Lutris/data/lutris/games/"}) {
                if (IsFolder(home + games) && lutrisFolders.insert(RealFolder(home + games)).second)
                    AddLutrisCandidates(home + games, candidates, prefixes);
            }
#endif
            AddHeroicCandidates(home + ".config/heroic/", candidates, prefixes);
            AddHeroicCandidates(home + ".var/app/com.heroicgameslauncher.hgl/config/heroic/", candidates, prefixes);
            prefixes.insert(prefixes.begin(), home + ".wine/");
        }
    }
    if (!places.winePrefix.empty())
        prefixes.insert(prefixes.begin(), WithSeparator(places.winePrefix));
    std::unordered_set<std::string> seen;
    for (const std::string& prefix : prefixes) {
        if (seen.insert(RealFolder(prefix)).second)
            AddWinePrefixCandidates(prefix, candidates);
    }
    for (const std::string& folder : places.defaultFolders) {
        if (IsFolder(folder))
            candidates.games.push_back({WithSeparator(folder), FoundBy::DefaultFolder, "a default folder"});
    }
    return candidates;
}

}  // namespace thld
