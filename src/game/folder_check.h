#pragma once
// Whether an installation's folders can be opened for a listing of its cache, and where not, why,
// in the words the user reads: a folder that is not there or is no folder, a cache folder that
// can't be read (with the cause), or one without a cache.ini.

#include <optional>
#include <string>

#include "game/game_folder.h"

namespace thld {

struct FolderProblem {
    enum class Kind {
        GameFolderMissing,      // the game folder (where one is known) is not there
        GameFolderNotAFolder,   // the game folder's path names a file
        CacheFolderMissing,     // the cache folder is not there
        CacheFolderNotAFolder,  // the cache folder's path names a file
        CacheFolderUnreadable,  // the cache folder's entries can't be read (its mode, another user's)
        NoIndex,                // the cache folder holds no cache.ini
    };
    Kind kind;
    std::string message;
};

// Nothing when both folders are there and the cache folder holds a cache.ini (which may still
// fail to read: the listing says so).
std::optional<FolderProblem> CheckInstallationFolders(const GameFolders& folders);

}  // namespace thld
