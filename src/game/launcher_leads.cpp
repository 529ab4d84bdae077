#include "game/launcher_leads.h"

#include <algorithm>

#include "game/json_text.h"
#include "game/key_values_text.h"
#include "game/launcher_file.h"
#include "game/lead_reading.h"
#include "game/lutris_game.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

using namespace lead_reading;

constexpr const char* kSteamAppId = "13240";
constexpr std::size_t kMostFiles = 2000;  // of a launcher's folder of games

void AddLibrary(const std::string& library, GameLeads& leads, std::vector<std::string>& prefixes)
{
    const std::string steamapps = library + "steamapps" + kPathSeparator;
    const std::string manifest = steamapps + "appmanifest_" + kSteamAppId + ".acf";
    std::optional<std::string> text = Read(manifest, leads, false);
    if (!text)
        return;
    KeyValuesText read = ReadKeyValuesText(*text);
    std::optional<std::string> installDir;
    for (const KeyValue& value : read.values) {
        if (value.keys == std::vector<std::string>{"appstate", "installdir"})
            installDir = value.value;
    }
    if (!read.error.empty() || !installDir || !IsPlainName(*installDir)) {
        PassOver(leads, manifest, "",
                 !read.error.empty() ? "not Steam's KeyValues text: " + read.error
                 : !installDir       ? "names no \"installdir\""
                                     : "its \"installdir\" is no plain folder name: " + Shortened(*installDir));
        return;
    }
    leads.games.push_back(
        {steamapps + "common" + kPathSeparator + *installDir + kPathSeparator, FoundBy::Steam, manifest});
    prefixes.push_back(steamapps + "compatdata" + kPathSeparator + kSteamAppId + kPathSeparator + "pfx" +
                       kPathSeparator);
}

bool IsGameProgram(std::string_view name)
{
    const std::string lower = LowerAscii(name);
    return lower == "unrealtournament.exe" || lower.rfind("ut-bin", 0) == 0;
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

void AddSteamLeads(const std::string& steamRoot, GameLeads& leads, std::vector<std::string>& prefixes)
{
    const std::string root = WithSeparator(Native(steamRoot));
    if (!IsFolder(root))
        return;
    std::vector<std::string> libraries{root};
    const std::string list = root + "steamapps" + kPathSeparator + "libraryfolders.vdf";
    if (std::optional<std::string> text = Read(list, leads, false)) {
        KeyValuesText read = ReadKeyValuesText(*text);
        if (!read.error.empty())
            PassOver(leads, list, "", "not Steam's KeyValues text: " + read.error);
        for (const KeyValue& value : read.values) {
            // "path" in a block of its own; the older list gives the path as the numbered value.
            const bool named = value.keys.size() >= 2 && value.keys.back() == "path";
            const bool numbered = value.keys.size() == 2 && value.keys.front() == "libraryfolders" &&
                                  !value.keys.back().empty() &&
                                  value.keys.back().find_first_not_of("0123456789") == std::string::npos;
            if (!named && !numbered)
                continue;
            if (!IsAbsolute(value.value))
                PassOver(leads, list, "", "a library path that is not absolute: " + Shortened(value.value));
            else
                libraries.push_back(WithSeparator(Native(value.value)));
        }
    }
    std::vector<std::string> seen;
    for (const std::string& library : libraries) {
        const std::string real = RealFolder(library);
        if (std::find(seen.begin(), seen.end(), real) != seen.end())
            continue;
        seen.push_back(real);
        AddLibrary(library, leads, prefixes);
    }
}

void AddLutrisLeads(const std::string& lutrisGames, GameLeads& leads, std::vector<std::string>& prefixes)
{
    std::vector<std::string> names = FolderEntries(lutrisGames);
    std::sort(names.begin(), names.end());
    if (names.size() > kMostFiles)
        names.resize(kMostFiles);
    for (const std::string& name : names) {
        if (name.size() < 5 || LowerAscii(name.substr(name.size() - 4)) != ".yml")
            continue;
        const std::string path = lutrisGames + name;
        std::optional<std::string> text = Read(path, leads);
        if (!text)
            continue;
        const LutrisGame game = ReadLutrisGame(*text);
        if (!game.exe)
            continue;  // not a game with a program of its own
        const std::string exe = *game.exe;
        const std::size_t nameAt = exe.find_last_of('/');
        if (nameAt == std::string::npos || !IsGameProgram(exe.substr(nameAt + 1)))
            continue;  // another game
        const std::size_t systemAt = nameAt == 0 ? std::string::npos : exe.find_last_of('/', nameAt - 1);
        if (!IsAbsolute(exe) || systemAt == std::string::npos || LowerAscii(exe.substr(systemAt + 1, 6)) != "system") {
            PassOver(leads, path, "", "its game: exe is not in a System folder of the game: " + Shortened(exe));
            continue;
        }
        leads.games.push_back({exe.substr(0, systemAt + 1), FoundBy::Lutris, path});
        if (game.prefix && IsAbsolute(*game.prefix))
            prefixes.push_back(WithSeparator(*game.prefix));
    }
}

void AddHeroicLeads(const std::string& heroicConfig, GameLeads& leads, std::vector<std::string>& prefixes)
{
    const std::string list = heroicConfig + "gog_store/installed.json";
    std::optional<std::string> text = Read(list, leads, false);
    if (!text)
        return;
    JsonText read = ReadJsonText(*text);
    const JsonValue* installed = read.value.Member("installed");
    if (!read.error.empty() || !installed || installed->type != JsonValue::Type::Array) {
        PassOver(leads, list, "", read.error.empty() ? "holds no \"installed\" list" : "not JSON: " + read.error);
        return;
    }
    for (const JsonValue& game : installed->items) {
        std::optional<std::string> folder = game.StringMember("install_path");
        std::optional<std::string> appName = game.StringMember("appName");
        if (!folder || !IsAbsolute(*folder))
            continue;
        const std::string gameFolder = WithSeparator(*folder);
        const GameBuilds builds = BuildsIn(gameFolder);
        if (!builds.windows && !builds.native)
            continue;  // another game
        leads.games.push_back({gameFolder, FoundBy::Heroic, list});
        if (!appName || !IsPlainName(*appName))
            continue;
        const std::string config = heroicConfig + "GamesConfig/" + *appName + ".json";
        std::optional<std::string> settings = Read(config, leads, false);
        if (!settings)
            continue;
        JsonText configRead = ReadJsonText(*settings);
        const JsonValue* own = configRead.value.Member(*appName);
        std::optional<std::string> prefix = own ? own->StringMember("winePrefix") : std::nullopt;
        if (!configRead.error.empty())
            PassOver(leads, config, "", "not JSON: " + configRead.error);
        else if (prefix && IsAbsolute(*prefix))
            prefixes.push_back(WithSeparator(*prefix));
    }
}

GameLeads FindGameLeads(const SearchPlaces& places)
{
    GameLeads leads;
    if (places.registry)
        AddWindowsRegistryLeads(*places.registry, leads);
    std::vector<std::string> prefixes;
    if (places.searchLaunchers && !places.home.empty()) {
        const std::string& home = places.home;
        if (places.system == SearchPlaces::System::MacOS) {
            AddSteamLeads(home + "Library/Application Support/Steam/", leads, prefixes);
        } else if (places.system == SearchPlaces::System::Linux) {
            for (const char* root :
                 {".local/share/Steam/", ".steam/steam/", ".steam/root/", ".steam/debian-installation/",
                  ".var/app/com.valvesoftware.Steam/.local/share/Steam/", "snap/steam/common/.local/share/Steam/"})
                AddSteamLeads(home + root, leads, prefixes);
            AddLutrisLeads(IsFolder(home + ".config/lutris/") ? home + ".config/lutris/games/"
                                                              : home + ".local/share/lutris/games/",
                           leads, prefixes);
            AddHeroicLeads(home + ".config/heroic/", leads, prefixes);
            AddHeroicLeads(home + ".var/app/com.heroicgameslauncher.hgl/config/heroic/", leads, prefixes);
            prefixes.insert(prefixes.begin(), home + ".wine/");
        }
    }
    if (!places.winePrefix.empty())
        prefixes.insert(prefixes.begin(), WithSeparator(places.winePrefix));
    std::vector<std::string> seen;
    for (const std::string& prefix : prefixes) {
        const std::string real = RealFolder(prefix);
        if (std::find(seen.begin(), seen.end(), real) != seen.end())
            continue;
        seen.push_back(real);
        AddWinePrefixLeads(prefix, leads);
    }
    for (const std::string& folder : places.defaultFolders) {
        if (IsFolder(folder))
            leads.games.push_back({WithSeparator(folder), FoundBy::DefaultFolder, "a default folder"});
    }
    return leads;
}

}  // namespace thld
