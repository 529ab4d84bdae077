#pragma once
// The game and its cache as every command starts from them: the folders the options name or the
// stored entry gives, and the listing of the cache.

#include "cli/console_output.h"
#include "cli/options.h"
#include "game/cache_contents.h"
#include "game/installation.h"

namespace thld::cli {

// The installation of --game and --cache, or of the stored entry. With --cache alone and nothing
// stored, the game folder stays unknown (empty). Throws Failure when no folder is known, or when
// `needGameFolder` and the game folder is unknown.
Installation FindGame(const InstallationRequest& request, bool needGameFolder);

// The listing of the installation's cache (ListCacheContents), with the installed copies when
// asked. Throws Failure when a folder is missing or cache.ini can't be read; a cache.ini without a
// single line gives an empty listing, and the user is told that the cache looks empty.
CacheContents ReadCache(const Installation& installation, Console& console, InstalledCopies installedCopies);

// Tells on standard error that a file was passed over unread: it is no regular file.
void TellNotRegularFile(Console& console, const std::string& path);

}  // namespace thld::cli
