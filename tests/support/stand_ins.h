#pragma once
// Small stand-ins for the game's own packages that the corpus's maps import, laid into a game
// folder as the game ships them (the same list as scripts/stand-in-packages.py, which the demo
// game folder takes): each a package of the real format with a name table and no import. With them
// the corpus's maps load offline, but for the packages of mods.

#include <string>

namespace thld::test {

// Lays them into the System, Textures, Sounds and Music folders of `gameFolder` (ending in the
// separator), making the folders.
void LayStandIns(const std::string& gameFolder);

}  // namespace thld::test
