#include "cli/change_run.h"

#include "cli/terminal_text.h"

namespace thld::cli {

TerminalPrompt::Answers AnswersOf(const Options& options)
{
    return options.yes ? TerminalPrompt::Answers::AllYes : TerminalPrompt::Answers::Asked;
}

int Ending(const TerminalPrompt& prompt, const RunReport& report)
{
    if (const FileError* failure = report.Failure())
        throw Failure(PrintableText(failure->what()));
    return prompt.FellShort() ? kExitFailed : kExitDone;
}

bool IsDone(const RunReport& report, std::size_t step)
{
    return report.outcomes[step].result == StepOutcome::Result::Done;
}

std::string Count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace thld::cli
