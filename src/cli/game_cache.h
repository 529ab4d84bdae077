#pragma once
// The game and its cache as every command starts from them: the folders the options name or the
// stored entry gives, and the listing of the cache.

#include "cli/console_output.h"
#include "cli/options.h"
#include "commands/package_selection.h"
#include "game/cache_contents.h"
#include "game/installation.h"

namespace thld::cli {

// The installation of --game, --cache or --install, or the stored one, or the one the launchers
// name (FindInstallation); where several were found and none was picked, says on standard error
// which one is open and how to pick another. With --cache alone and nothing stored, or a native
// cache without a game folder, the game folder stays unknown (empty). Throws Failure with the
// search's words when nothing is found, and when `needGameFolder` and the game folder is unknown.
Installation FindGame(const InstallationRequest& request, bool needGameFolder, Console& console);

// The listing of the installation's cache (ListCacheContents), with the installed copies when
// asked. Throws Failure when a folder can't be opened (CheckInstallationFolders) or cache.ini can't
// be read; a cache.ini without a single line gives an empty listing, and the user is told that the
// cache looks empty.
CacheContents ReadCache(const Installation& installation, Console& console, InstalledCopies installedCopies,
                        Requirements requirements = Requirements::Determine);

// The items the NAMEs select (ItemsNamed). Throws Failure, naming every NAME that selects nothing,
// before anything is done.
std::vector<std::size_t> NamedOrFail(const std::vector<PackageItem>& items, const std::vector<std::string>& names,
                                     Versions versions = Versions::All);

// Whether ReadCache answers from the memo of earlier listings and keeps it (it does unless told).
void UseListingMemo(bool use);

// Tells on standard error that a file was passed over unread: it is no regular file.
void TellNotRegularFile(Console& console, const std::string& path);

}  // namespace thld::cli
