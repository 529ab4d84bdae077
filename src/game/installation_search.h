#pragma once
// Every installation of the game on the machine, as the launchers and installers name it: Steam's
// libraries, Lutris's and Heroic's games, the registries of Wine prefixes, the native game's
// per-user folder and the installers' default folders on Linux and macOS; the uninstall entries of
// Steam and OldUnreal, GOG's entries, Steam's libraries and the default folders on Windows.
//
// A folder is the game's where it holds System/UnrealTournament.exe (the Windows build) or a ut-bin*
// under a System* folder (the native build), in any case. Each build has its own cache folder: the
// Windows build keeps it in the game folder (as its System/UnrealTournament.ini says), even under
// Wine; the native build in the per-user folder (FindCacheFolder). So one game folder holding both
// builds is two installations, and a per-user cache with no game folder known is one too.

#include <vector>

#include "game/installation.h"

namespace thld {

struct InstallationList {
    std::vector<Installation> installations;  // in the order found, the same folders only once
    std::vector<FolderFinding> findings;      // every file and folder looked at, and why
};

// How an installation was found, in words: "--game or --cache", "Steam", ...
const char* FoundByText(FoundBy foundBy);

InstallationList FindEveryInstallation(const SearchPlaces& places);

// Of several installations, the one whose cache.ini was written last (the first where none can be
// told apart).
std::size_t LatestWritten(const std::vector<Installation>& installations);

}  // namespace thld
