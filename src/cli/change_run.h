#pragma once
// What every command that changes the cache shares on the terminal: it answers with --yes, and ends
// with the run's file error after what was done (the run itself refuses while the game runs).

#include <cstddef>
#include <string>

#include "cli/options.h"
#include "cli/terminal_prompt.h"
#include "commands/run_plan.h"

namespace thld::cli {

TerminalPrompt::Answers AnswersOf(const Options& options);

// The exit code of a run: Failure for the file error that ended it (what was done before stays
// done), kExitFailed for a No or a problem told, kExitDone otherwise.
int Ending(const TerminalPrompt& prompt, const RunReport& report);

bool IsDone(const RunReport& report, std::size_t step);

// "1 package", "2 packages".
std::string Count(std::size_t n, const char* one, const char* many);

}  // namespace thld::cli
