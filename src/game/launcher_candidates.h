#pragma once
// The candidates for the game folder: the folders that launchers and installers name as the game's,
// each with how and where it was named, before anyone has checked that the game is there
// (installation_search.h does). The files they come from are read as untrusted input: each file
// looked at that names no candidate is a finding, with the reason it was passed over.

#include <string>
#include <unordered_set>
#include <vector>

#include "game/installation.h"

namespace thld {

// The game's builds in a folder.
struct GameBuilds {
    bool windows = false;  // System/UnrealTournament.exe
    bool native = false;   // System*/ut-bin*
};
GameBuilds BuildsIn(const std::string& folder);

struct GameCandidate {
    std::string folder;  // ends in the separator
    FoundBy foundBy;
    std::string source;  // the file or registry entry, in words
};

struct GameCandidates {
    std::vector<GameCandidate> games;
    std::vector<FolderFinding> findings;  // files and entries that named no folder, and why
    // The real folders of the Steam roots and libraries read so far: each is read once, however
    // many roots and lists name it.
    std::unordered_set<std::string> steamFolders;
};

// Steam's libraries (the root's own and those its steamapps/libraryfolders.vdf names) and the game
// folder that each one's appmanifest_13240.acf names; the game's Proton prefix of each library goes
// to `prefixes`. A library that is not there is a finding (a disk not mounted).
void AddSteamCandidates(const std::string& steamRoot, GameCandidates& candidates, std::vector<std::string>& prefixes);
// Lutris's games (games/*.yml in one of Lutris's folders) whose exe is the game's; their prefixes go
// to `prefixes`. Not in the Windows build.
void AddLutrisCandidates(const std::string& lutrisGames, GameCandidates& candidates,
                         std::vector<std::string>& prefixes);
// Heroic's installed GOG games (gog_store/installed.json) and each one's prefix (GamesConfig).
void AddHeroicCandidates(const std::string& heroicConfig, GameCandidates& candidates,
                         std::vector<std::string>& prefixes);
// A Wine prefix: the game's entries and the installers' entries in its system.reg and user.reg,
// and the default folders on its drive C.
void AddWinePrefixCandidates(const std::string& prefix, GameCandidates& candidates);
// Windows: the installers' and launchers' registry entries, and Steam's libraries.
void AddWindowsRegistryCandidates(RegistryValues& registry, GameCandidates& candidates);

// Every candidate of this system's places, in the order above.
GameCandidates FindGameCandidates(const SearchPlaces& places);

}  // namespace thld
