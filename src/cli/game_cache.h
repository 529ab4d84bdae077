#pragma once
// The game and its cache as every command starts from them: the folders the options name or the
// stored entry gives, and the listing of the cache.

#include "cache/cache_listing.h"
#include "cli/console_output.h"
#include "cli/options.h"
#include "game/installation.h"

namespace thld::cli {

// The installation of --game, --cache or --install, or the stored one, or the one the launchers
// name (FindInstallation); where several were found and none was picked, says on standard error
// which one is open and how to pick another. With --cache alone and nothing stored, or a native
// cache without a game folder, the game folder stays unknown (empty). Throws Failure when no folder
// is known, when --install names none, or when `needGameFolder` and the game folder is unknown.
Installation FindGame(const InstallationRequest& request, bool needGameFolder, Console& console);

// The listing of the installation's cache, with the requirements of each map and script package
// when asked. Throws Failure when a folder is missing or cache.ini can't be read; a cache.ini
// without a single line gives an empty listing, and the user is told that the cache looks empty.
Listing ReadCache(const Installation& installation, Console& console, bool withRequirements);

}  // namespace thld::cli
