#include "cli/terminal_prompt.h"

#include "cli/terminal_text.h"
#include "platform/code_page.h"

namespace thld::cli {

namespace {

enum class Answer {
    Yes,
    No,
    All,
    Quit
};

Answer AnswerOf(std::string answer)
{
    while (!answer.empty() && (answer.back() == ' ' || answer.back() == '\t'))
        answer.pop_back();
    const std::size_t start = answer.find_first_not_of(" \t");
    answer = start == std::string::npos ? std::string() : answer.substr(start);
    auto is = [&](const char* letter, const char* word) {
        return EqualIgnoringAsciiCase(answer, letter) || EqualIgnoringAsciiCase(answer, word);
    };
    return is("y", "yes") ? Answer::Yes : is("a", "all") ? Answer::All : is("q", "quit") ? Answer::Quit : Answer::No;
}

}  // namespace

bool TerminalPrompt::Confirm(const std::string& title, const std::string& message)
{
    if (standing_ != Standing::Ask) {
        saidNo_ = saidNo_ || standing_ == Standing::AllNo;
        return standing_ == Standing::AllYes;
    }
    std::string question(1, '\n');
    question += console_.ErrStyled(Style::Strong, PrintableText(title));
    question += '\n';
    question += PrintableLines(message);
    question += "\n[y/N/a/q] ";
    console_.Err(question);
    std::optional<std::string> answer;
    if (!endOfInput_)
        answer = console_.ReadLine();
    endOfInput_ = !answer;
    const Answer said = answer ? AnswerOf(*answer) : Answer::No;
    // Typed answers show on the terminal; answers from a file or a pipe are shown here.
    if (!console_.InputIsTerminal())
        console_.Err(answer ? PrintableText(*answer) + "\n" : "(end of input: no)\n");
    if (said == Answer::All)
        standing_ = Standing::AllYes;
    else if (said == Answer::Quit)
        standing_ = Standing::AllNo;
    const bool yes = said == Answer::Yes || said == Answer::All;
    saidNo_ = saidNo_ || !yes;
    return yes;
}

void TerminalPrompt::Tell(const std::string& message)
{
    told_ = true;
    console_.Err("tallyhold: " + PrintableLines(message) + "\n");
}

}  // namespace thld::cli
