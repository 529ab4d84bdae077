#pragma once
// What every command that changes the cache shares on the terminal: it answers with --yes, and ends
// with the run's file error after what was done (the run itself refuses while the game runs).

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "cli/options.h"
#include "cli/terminal_prompt.h"
#include "commands/run_plan.h"
#include "platform/interrupt.h"

namespace thld::cli {

TerminalPrompt::Answers AnswersOf(const Options& options);

// A run answered unasked (--yes) as the terminal shows it: where standard error is a terminal, one
// line with the count, a bar and the package under way, redrawn as the run goes and cleared at its
// end (nothing elsewhere); and Ctrl-C ends the run cleanly between two packages. A run that asks
// shows its questions instead, and Ctrl-C ends the program as ever (the record keeps it safe).
class RunWatch {
public:
    RunWatch(Console& console, const Options& options);
    RunProgress Progress();
    // After the run: clears the line and, when Ctrl-C stopped the run, says how many packages were
    // done and that the rest are untouched.
    void Ended(const RunReport& report);

private:
    Console& console_;
    std::optional<InterruptCatcher> interrupt_;
    bool draws_ = false;
    std::size_t drawn_ = 0;  // columns of the line on the terminal
    std::chrono::steady_clock::time_point next_{};
};

// The exit code of a run: Failure for the file error that ended it (what was done before stays
// done), kExitFailed for a No, a problem told or a run stopped by Ctrl-C, kExitDone otherwise.
int Ending(const TerminalPrompt& prompt, const RunReport& report);

}  // namespace thld::cli
