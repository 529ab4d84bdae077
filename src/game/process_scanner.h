#pragma once
// The running-game guard: is a process with a given executable name running?

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"

namespace thld {

inline constexpr const char* kGameRunningMessage =
    "Unreal Tournament has been detected running on this system.  Please shut it down before running this "
    "program.";
inline constexpr const char* kEditorRunningMessage =
    "UnrealED has been detected running on this system.  Please shut it down before running this program.";

// The executable names the guard looks for, in the order it checks them.
inline constexpr std::string_view kGameIconName = "UNREALTOURNAMENT.ICD";
inline constexpr std::string_view kGameName = "UNREALTOURNAMENT.EXE";
inline constexpr std::string_view kEditorName = "UNREALED.EXE";
// The native game's programs (Linux builds for x86, amd64 and arm64, and the macOS program), as the
// guard compares them.
inline constexpr std::string_view kNativeGameNames[] = {"UT-BIN", "UT-BIN-X86", "UT-BIN-AMD64", "UT-BIN-ARM64",
                                                        "UNREALTOURNAMENT"};

// A reported executable name as the guard compares it: cut to the part after its last backslash,
// with its letters a to z upper-cased.
std::string ComparableExeName(std::string_view reported);

// True when one of the reported names, made comparable, equals `name` (upper case, no folder).
bool AnyProcessNamed(const std::vector<std::string>& reported, std::string_view name);

class ProcessScanner {
public:
    using NameSource = std::function<std::vector<std::string>()>;
    // By default the names come from the system's process list, read afresh for every check.
    explicit ProcessScanner(NameSource source = {});

    bool IsRunning(std::string_view name) const;
    // True when a process of any of these names runs; the process list is read once.
    bool IsAnyRunning(const std::vector<std::string_view>& names) const;

private:
    NameSource source_;
};

// Test seam: the names a ProcessScanner made without a source reads instead of the system's process
// list (an empty function gives the system's back); gives the one it replaces. The tests of the
// commands install an empty list, so that a program of another test running under the game's name
// keeps no run from its steps. The program installs none.
ProcessScanner::NameSource SetSystemProcessNames(ProcessScanner::NameSource source);

// The running-game guard: the message that keeps the program from changing the game's files while
// the game (Windows or native, on any system: the Windows game may run under Wine) or its editor
// runs, the game checked first; nothing when neither runs. Names match without regard to case.
const char* RunningGameMessage(const ProcessScanner& scanner);

}  // namespace thld
