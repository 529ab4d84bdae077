#pragma once
// The command line that mends a problem of the cache, as every front-end offers it to be pasted into
// a shell. Package names come from servers and may hold anything, so each is quoted for the shell
// of the system (ShellQuoted), and a command is not offered at all for a name that no quoting can
// carry safely there or that can't be shown as it is.

#include <optional>
#include <string>
#include <string_view>

#include "game/cache_checks.h"

namespace thld {

enum class Shell {
    Posix,       // sh, bash, zsh: single quotes, a quote written '\''
    WindowsCmd,  // cmd.exe, and the program's own reading of its command line: double quotes
};
#ifdef _WIN32
inline constexpr Shell kSystemShell = Shell::WindowsCmd;
#else
inline constexpr Shell kSystemShell = Shell::Posix;
#endif

// One word of a command line for `shell`, to be taken back as exactly `text`: as it is where it
// holds only letters, digits and "._-+,:@/" (and is not empty), quoted otherwise. Nothing for
// cmd.exe where the text holds a double quote, a percent sign, a control character or ends in a
// backslash, which no quoting carries safely there.
std::optional<std::string> ShellQuoted(std::string_view text, Shell shell);

// "tallyhold return 'NAME'", "tallyhold tidy --stale", "tallyhold tidy KEY.uxx"; nothing for a
// problem that no command mends (the player decides which version goes, or which package to get)
// and for a name with a control character or one that can't be quoted for `shell`.
std::optional<std::string> FixCommand(const CacheProblem& problem, Shell shell = kSystemShell);

}  // namespace thld
