#pragma once
// The folders that launchers and installers name as the game's, each with how and where it was
// named, before anyone has checked that the game is there. The files they come from are read as
// untrusted input: each one looked at is a finding, with the reason where it was passed over.

#include <string>
#include <vector>

#include "game/installation.h"

namespace thld {

// The game's builds in a folder.
struct GameBuilds {
    bool windows = false;  // System/UnrealTournament.exe
    bool native = false;   // System*/ut-bin*
};
GameBuilds BuildsIn(const std::string& folder);

struct GameLead {
    std::string folder;  // ends in the separator
    FoundBy foundBy;
    std::string source;  // the file or registry entry, in words
};

struct GameLeads {
    std::vector<GameLead> games;
    std::vector<FolderFinding> findings;  // files and entries that named no folder, and why
};

// Steam's libraries (the root's own and those its steamapps/libraryfolders.vdf names) and the game
// folder that each one's appmanifest_13240.acf names; the game's Proton prefix of each library goes
// to `prefixes`.
void AddSteamLeads(const std::string& steamRoot, GameLeads& leads, std::vector<std::string>& prefixes);
// Lutris's games (games/*.yml) whose exe is the game's; their prefixes go to `prefixes`.
void AddLutrisLeads(const std::string& lutrisGames, GameLeads& leads, std::vector<std::string>& prefixes);
// Heroic's installed GOG games (gog_store/installed.json) and each one's prefix (GamesConfig).
void AddHeroicLeads(const std::string& heroicConfig, GameLeads& leads, std::vector<std::string>& prefixes);
// A Wine prefix: the game's entries and the installers' entries in its system.reg and user.reg,
// and the default folders on its drive C.
void AddWinePrefixLeads(const std::string& prefix, GameLeads& leads);
// Windows: the installers' and launchers' registry entries, and Steam's libraries.
void AddWindowsRegistryLeads(RegistryValues& registry, GameLeads& leads);

// Every lead of this system's places, in the order above.
GameLeads FindGameLeads(const SearchPlaces& places);

}  // namespace thld
