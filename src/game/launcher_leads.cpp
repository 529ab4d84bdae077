#include "game/launcher_leads.h"

#include <algorithm>

#include "game/json_text.h"
#include "game/key_values_text.h"
#include "game/launcher_file.h"
#include "game/lutris_game.h"
#include "game/registry_game_entry.h"
#include "game/wine_registry.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr const char* kGameRole = "game folder";
constexpr const char* kSteamAppId = "13240";
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kSteamAppEntry = "Steam App 13240";
constexpr const char* kOldUnrealEntry = "OldUnreal_ut99";
constexpr const char* kGogGamesKey = "SOFTWARE\\GOG.com\\Games";
constexpr const char* kDefaultWindowsFolders[] = {"C:\\UnrealTournament", "C:\\GOG Games\\Unreal Tournament GOTY"};
constexpr std::size_t kMostFiles = 2000;  // of a launcher's folder of games

void PassOver(GameLeads& leads, const std::string& source, const std::string& folder, const std::string& why)
{
    leads.findings.push_back({kGameRole, source, folder, false, why});
}

bool IsAbsolute(std::string_view path)
{
#if defined(_WIN32)
    return path.size() >= 3 && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
#else
    return !path.empty() && path[0] == '/';
#endif
}

// The path with the system's separators.
std::string Native(std::string path)
{
#if defined(_WIN32)
    std::replace(path.begin(), path.end(), '/', '\\');
#endif
    return path;
}

// A launcher's file, read; nothing (and a finding) when it can't be.
std::optional<std::string> Read(const std::string& path, GameLeads& leads, bool missingIsWorthAWord = true,
                                std::uint64_t limit = kLauncherFileLimit)
{
    LauncherFile file = ReadLauncherFile(path, limit);
    if (file.state == LauncherFile::State::Read)
        return std::move(file.bytes);
    if (file.state != LauncherFile::State::Missing || missingIsWorthAWord)
        PassOver(leads, path, "", WhyNotRead(file));
    return std::nullopt;
}

// A plain folder name (no separator, not "." or ".."), as Steam's installdir should be.
bool IsPlainName(std::string_view name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

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

void AddWinePrefixLeads(const std::string& prefix, GameLeads& leads)
{
    if (!IsFolder(prefix))
        return;
    struct Entry {
        const char* file;
        std::string key;
        const char* value;
    };
    const std::string uninstall = std::string("Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\");
    const std::string gameKey = std::string("Software\\") + (kGameEntryKey + 9);  // without "SOFTWARE\"
    const std::vector<Entry> entries = {
        {"system.reg", "Software\\Wow6432Node\\" + std::string(kGameEntryKey + 9), kGameEntryValue},
        {"system.reg", gameKey, kGameEntryValue},
        {"user.reg", gameKey, kGameEntryValue},
        {"system.reg", uninstall + kSteamAppEntry, "InstallLocation"},
        {"system.reg", uninstall + kOldUnrealEntry, "InstallLocation"},
    };
    const std::string gog = "Software\\Wow6432Node\\GOG.com\\Games";
    for (const char* file : {"system.reg", "user.reg"}) {
        const std::string path = prefix + file;
        std::optional<std::string> text = Read(path, leads, true, kWineRegistryLimit);
        if (!text)
            continue;
        WineRegistryText read = ReadWineRegistryText(*text);
        if (!read.error.empty()) {
            PassOver(leads, path, "", "not Wine's registry: " + read.error);
            continue;
        }
        std::vector<std::pair<std::string, std::string>> named;  // the entry and its Windows path
        for (const Entry& entry : entries) {
            if (file == std::string_view(entry.file)) {
                if (auto value = read.registry.Value(entry.key, entry.value))
                    named.emplace_back(entry.key, *value);
            }
        }
        for (const std::string& id : read.registry.Subkeys(gog)) {
            if (auto value = read.registry.Value(gog + "\\" + id, "path"))
                named.emplace_back(gog + "\\" + id, *value);
        }
        for (const auto& [key, windowsPath] : named) {
            const std::string source = path + " [" + key + "]";
            if (std::optional<std::string> folder = FolderInWinePrefix(prefix, windowsPath))
                leads.games.push_back({*folder, FoundBy::WinePrefix, source});
            else
                PassOver(leads, source, "", "names no folder on a drive: " + Shortened(windowsPath));
        }
    }
    for (const char* folder : kDefaultWindowsFolders) {
        std::optional<std::string> inPrefix = FolderInWinePrefix(prefix, folder);
        if (inPrefix && IsFolder(*inPrefix))
            leads.games.push_back({*inPrefix, FoundBy::DefaultFolder, prefix + " (" + folder + ")"});
    }
}

void AddWindowsRegistryLeads(RegistryValues& registry, GameLeads& leads)
{
    struct Entry {
        RegistryHive hive;
        RegistryView view;
        std::string key;
        const char* value;
    };
    const std::vector<Entry> entries = {
        {RegistryHive::LocalMachine, RegistryView::Bits32, kUninstallKey + std::string(kSteamAppEntry),
         "InstallLocation"},
        {RegistryHive::LocalMachine, RegistryView::Bits64, kUninstallKey + std::string(kSteamAppEntry),
         "InstallLocation"},
        {RegistryHive::LocalMachine, RegistryView::Bits32, kUninstallKey + std::string(kOldUnrealEntry),
         "InstallLocation"},
        {RegistryHive::LocalMachine, RegistryView::Bits64, kUninstallKey + std::string(kOldUnrealEntry),
         "InstallLocation"},
        {RegistryHive::CurrentUser, RegistryView::Bits32, kUninstallKey + std::string(kOldUnrealEntry),
         "InstallLocation"},
    };
    const auto hiveName = [](const Entry& entry) {
        return std::string(entry.hive == RegistryHive::LocalMachine ? "HKEY_LOCAL_MACHINE\\" : "HKEY_CURRENT_USER\\") +
               entry.key +
               (entry.hive == RegistryHive::CurrentUser ? ""
                : entry.view == RegistryView::Bits32    ? " (32-bit view)"
                                                        : " (64-bit view)");
    };
    std::vector<Entry> all = entries;
    for (const std::string& id : registry.Subkeys(RegistryHive::LocalMachine, RegistryView::Bits32, kGogGamesKey))
        all.push_back(
            {RegistryHive::LocalMachine, RegistryView::Bits32, std::string(kGogGamesKey) + "\\" + id, "path"});
    for (const Entry& entry : all) {
        RegistryString read = registry.Read(entry.hive, entry.view, entry.key, entry.value);
        if (read.result != RegistryString::Result::Read)
            continue;  // most machines hold only a few of these
        if (!IsAbsolute(read.text))
            PassOver(leads, hiveName(entry), "", "names no folder: " + Shortened(read.text));
        else
            leads.games.push_back({WithSeparator(Native(read.text)), FoundBy::Registry, hiveName(entry)});
    }
    RegistryString steam =
        registry.Read(RegistryHive::CurrentUser, RegistryView::Bits32, "Software\\Valve\\Steam", "SteamPath");
    std::vector<std::string> unused;
    if (steam.result == RegistryString::Result::Read && IsAbsolute(steam.text))
        AddSteamLeads(steam.text, leads, unused);
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
