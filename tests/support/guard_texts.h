#pragma once
// What the running-game guard tells the user, word for word as the user reads it, for the tests of
// every front-end that expect it.

#include <string>

namespace thld::test {

inline const std::string kGameRunningText =
    "Unreal Tournament has been detected running on this system.  Please shut it down before running this program.";
inline const std::string kEditorRunningText =
    "UnrealED has been detected running on this system.  Please shut it down before running this program.";

}  // namespace thld::test
