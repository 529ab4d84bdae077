#pragma once
// The same game and cache folders named each way a program may be given them: typed relative, with
// "./" before, with doubled separators, absolute, through a link to the game folder, the cache folder
// alone (no game folder known), and as the stored entry gives it back (as the windows open it).

#include <string>
#include <vector>

#include "game/game_folder.h"

namespace thld::test {

struct FolderSpelling {
    const char* what;
    GameFolders folders;
};

// Every spelling of `folders` (absolute, as a test lays them out). The link to the game folder is
// made at `link` (a free path); where no link can be made, that spelling is left out.
std::vector<FolderSpelling> SpellingsOf(const GameFolders& folders, const std::string& link);

}  // namespace thld::test
