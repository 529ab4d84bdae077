#pragma once
// Game folders for the window tests.

#include <string>

#include "support/temp_folder.h"

namespace thld::uitest {

// A small game folder of made-up packages, one of each kind that matters, in cache.ini order:
//   Map1.unr (Map, requires Tex1.utx and Code1.u), Tex1.utx (Textures/Skins, 3k bytes),
//   Code1.u (Script, requires Tex1.utx), Junk.umx (Unknown Type), and a line whose file is missing.
// Returns the game folder (ending in a backslash); Maps, System and Textures exist and are empty.
std::string MakeSmallGameFolder(const test::TempFolder& temp, const std::string& name = "UT");

// A cached file's path in a game folder.
std::string CachedFile(const std::string& gameFolder, const std::string& key);
inline constexpr const char* kMapKey = "0A0A0A0A0A0A0A0A0A0A0A0A0A0A0A01";
inline constexpr const char* kTexKey = "0B0B0B0B0B0B0B0B0B0B0B0B0B0B0B02";
inline constexpr const char* kCodeKey = "0C0C0C0C0C0C0C0C0C0C0C0C0C0C0C03";
inline constexpr const char* kJunkKey = "0D0D0D0D0D0D0D0D0D0D0D0D0D0D0D04";

}  // namespace thld::uitest
