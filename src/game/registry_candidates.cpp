// The candidates for the game folder that registries name: a Wine prefix's registry files and the Windows registry.
#include <vector>

#include "game/candidate_reading.h"
#include "game/launcher_candidates.h"
#include "game/launcher_file.h"
#include "game/registry_game_entry.h"
#include "game/wine_registry.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr const char* kSteamAppEntry = "Steam App 13240";
constexpr const char* kOldUnrealEntry = "OldUnreal_ut99";
constexpr const char* kGogGamesKey = "SOFTWARE\\GOG.com\\Games";
constexpr const char* kDefaultWindowsFolders[] = {"C:\\UnrealTournament", "C:\\GOG Games\\Unreal Tournament GOTY"};

}  // namespace

void AddWinePrefixCandidates(const std::string& prefix, GameCandidates& candidates)
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
        std::optional<std::string> text = ReadLauncherText(path, candidates, true, kWineRegistryLimit);
        if (!text)
            continue;
        WineRegistryText read = ReadWineRegistryText(*text);
        if (!read.error.empty()) {
            PassOver(candidates, path, "", "not Wine's registry: " + read.error, FindingReason::Malformed);
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
                candidates.games.push_back({*folder, FoundBy::WinePrefix, source});
            else
                PassOver(candidates, source, "", "names no folder on a drive: " + Shortened(windowsPath),
                         FindingReason::RefusedPath);
        }
    }
    for (const char* folder : kDefaultWindowsFolders) {
        std::optional<std::string> inPrefix = FolderInWinePrefix(prefix, folder);
        if (inPrefix && IsFolder(*inPrefix))
            candidates.games.push_back({*inPrefix, FoundBy::DefaultFolder, prefix + " (" + folder + ")"});
    }
}

void AddWindowsRegistryCandidates(RegistryValues& registry, GameCandidates& candidates)
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
            PassOver(candidates, hiveName(entry), "", "names no folder: " + Shortened(read.text),
                     FindingReason::RefusedPath);
        else
            candidates.games.push_back({WithSeparator(Native(read.text)), FoundBy::Registry, hiveName(entry)});
    }
    RegistryString steam =
        registry.Read(RegistryHive::CurrentUser, RegistryView::Bits32, "Software\\Valve\\Steam", "SteamPath");
    std::vector<std::string> unused;
    if (steam.result == RegistryString::Result::Read && IsAbsolute(steam.text))
        AddSteamCandidates(steam.text, candidates, unused);
}

}  // namespace thld
