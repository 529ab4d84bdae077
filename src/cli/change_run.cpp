#include "cli/change_run.h"

#include "cli/terminal_text.h"
#include "commands/status_messages.h"
#include "platform/console.h"

namespace thld::cli {

TerminalPrompt::Answers AnswersOf(const Options& options)
{
    return options.yes ? TerminalPrompt::Answers::AllYes : TerminalPrompt::Answers::Asked;
}

RunWatch::RunWatch(Console& console, const Options& options) : console_(console)
{
    if (!options.yes)
        return;
    interrupt_.emplace();
    draws_ = console.ErrorIsTerminal();
}

RunProgress RunWatch::Progress()
{
    return [this](std::size_t done, std::size_t total, const std::string& current) {
        if (interrupt_ && interrupt_->Caught())
            return RunStep::Stop;
        const auto now = std::chrono::steady_clock::now();
        if (!draws_ || now < next_ || done == total)
            return RunStep::Continue;
        next_ = now + std::chrono::milliseconds(100);  // a redraw for every package would slow a big run
        const int columns = TerminalColumns(StandardStream::Error);
        const std::size_t width = columns > 20 ? static_cast<std::size_t>(columns) - 1 : 79;
        constexpr std::size_t kBar = 20;
        const std::size_t filled = total == 0 ? 0 : done * kBar / total;
        std::string line = std::to_string(done) + "/" + std::to_string(total) + " [" + std::string(filled, '#') +
                           std::string(kBar - filled, '.') + "] " + PrintableText(current);
        if (line.size() > width)
            line.resize(width);
        const std::size_t shown = line.size();
        if (shown < drawn_)
            line += std::string(drawn_ - shown, ' ');
        drawn_ = shown;
        console_.Err("\r" + line);
        return RunStep::Continue;
    };
}

void RunWatch::Ended(const RunReport& report)
{
    if (drawn_ > 0) {
        std::string blank(drawn_ + 2, ' ');  // built in place: g++ 12 warns on "\r" + std::string
        blank.front() = '\r';
        blank.back() = '\r';
        console_.Err(blank);
    }
    drawn_ = 0;
    if (!report.stopped)
        return;
    std::size_t done = 0, untouched = 0;
    for (const StepOutcome& outcome : report.outcomes) {
        done += outcome.result == StepOutcome::Result::Done;
        untouched += outcome.result == StepOutcome::Result::NotReached;
    }
    console_.Err("tallyhold: " + messages::RunStoppedText(done, untouched) + "\n");
}

int Ending(const TerminalPrompt& prompt, const RunReport& report)
{
    if (const FileError* failure = report.Failure())
        throw Failure(PrintableText(failure->what()));
    return prompt.FellShort() || report.stopped ? kExitFailed : kExitDone;
}

}  // namespace thld::cli
