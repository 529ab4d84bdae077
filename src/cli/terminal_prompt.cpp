#include "cli/terminal_prompt.h"

#include "cli/terminal_text.h"
#include "platform/code_page.h"

namespace thld::cli {

namespace {

bool IsYes(std::string answer)
{
    while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\t'))
        answer.pop_back();
    const std::size_t start = answer.find_first_not_of(" \t");
    answer = start == std::string::npos ? std::string() : answer.substr(start);
    return EqualIgnoringAsciiCase(answer, "y") || EqualIgnoringAsciiCase(answer, "yes");
}

}  // namespace

bool TerminalPrompt::Confirm(const std::string& title, const std::string& message)
{
    if (answers_ == Answers::AllYes)
        return true;
    std::string question(1, '\n');
    question += console_.ErrStyled(Style::Strong, PrintableText(title));
    question += '\n';
    question += PrintableLines(message);
    question += "\n[y/N] ";
    console_.Err(question);
    std::optional<std::string> answer;
    if (!endOfInput_)
        answer = console_.ReadLine();
    endOfInput_ = !answer;
    const bool yes = answer && IsYes(*answer);
    // Typed answers show on the terminal; answers from a file or a pipe are shown here.
    if (!console_.InputIsTerminal())
        console_.Err(answer ? PrintableText(*answer) + "\n" : "(end of input: no)\n");
    saidNo_ = saidNo_ || !yes;
    return yes;
}

void TerminalPrompt::Tell(const std::string& message)
{
    told_ = true;
    console_.Err("tallyhold: " + PrintableLines(message) + "\n");
}

}  // namespace thld::cli
