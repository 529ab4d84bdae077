#pragma once
// The commands of tallyhold, each given the parsed command line; each returns the exit code or
// throws Failure (or FileError) for the program's boundary to report.

#include "cli/console_output.h"
#include "cli/options.h"

namespace thld::cli {

int ListCommand(const Options& options, Console& console);
int RequiresCommand(const Options& options, Console& console);
int DeleteCommand(const Options& options, Console& console);
int KeepCommand(const Options& options, Console& console);
int WhereCommand(const Options& options, Console& console);
int CheckCommand(const Options& options, Console& console);
int ReturnCommand(const Options& options, Console& console);
int TidyCommand(const Options& options, Console& console);
int InfoCommand(const Options& options, Console& console);

}  // namespace thld::cli
