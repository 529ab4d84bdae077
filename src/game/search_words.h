#pragma once
// The words of the game search that every front-end shows as they are: why no game folder was
// found and what to do about it, a folder given that is missing or is no folder, and where a folder
// came from. The paths in them are PrintableText, so that no control character reaches the user.

#include <string>

#include "game/game_folder.h"
#include "game/installation.h"

namespace thld {

// The source of a folder given on the command line, as findings and installations keep it.
inline constexpr const char* kGivenSource = "given";

// Where a folder came from, for people: "the command line" for a folder given there.
std::string SourceWords(const std::string& source);

// "<path> was not found."
std::string NotThereText(const std::string& path);
// "<path> is not a folder."
std::string NotAFolderText(const std::string& path);

// Why no game folder is known, with the place a folder would be stored (the settings file, or on
// Windows the registry's entry in the words of the window's message) and how to name or store one.
std::string NothingFoundText(const SearchPlaces& places, const GameEntryRead& read);

// That --install named no installation of those found.
std::string NoSuchInstallationText(std::size_t asked, std::size_t found);

// That a command which moves packages into the game folder has only a cache folder to go by.
std::string NoGameFolderForCacheText(const std::string& cacheFolder);

}  // namespace thld
