#include "cli/console_output.h"

#include <cstdio>

#include "platform/console.h"
#include "platform/environment.h"

namespace thld::cli {

namespace {

constexpr std::size_t kNarrowest = 80;

const char* Escape(Style style)
{
    switch (style) {
    case Style::Strong:
        return "\x1b[1m";
    case Style::Dim:
        return "\x1b[2m";
    case Style::Map:
        return "\x1b[32m";
    case Style::Textures:
        return "\x1b[35m";
    case Style::Script:
        return "\x1b[36m";
    case Style::Good:
        return "\x1b[32m";
    case Style::Bad:
        return "\x1b[1;31m";
    }
    return "";
}

std::string Styled(bool colour, Style style, std::string_view text)
{
    if (!colour || text.empty())
        return std::string(text);
    return Escape(style) + std::string(text) + "\x1b[0m";
}

void Write(std::FILE* stream, std::string_view text) { std::fwrite(text.data(), 1, text.size(), stream); }

}  // namespace

Console::Console()
{
    UseUtf8Console();
    const auto noColour = EnvironmentVariable("NO_COLOR");
    const bool colourWanted = !noColour || noColour->empty();
    outColour_ = colourWanted && EnableColour(StandardStream::Output);
    errColour_ = colourWanted && EnableColour(StandardStream::Error);
    inputIsTerminal_ = IsTerminal(StandardStream::Input);
    const int columns = TerminalColumns(StandardStream::Output);
    if (columns > static_cast<int>(kNarrowest))
        width_ = static_cast<std::size_t>(columns);
    if (!IsTerminal(StandardStream::Output))
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
}

Console::~Console()
{
    std::fflush(stdout);
    std::fflush(stderr);
}

void Console::Out(std::string_view text) { Write(stdout, text); }

void Console::Err(std::string_view text)
{
    std::fflush(stdout);
    Write(stderr, text);
    std::fflush(stderr);
}

std::string Console::OutStyled(Style style, std::string_view text) const { return Styled(outColour_, style, text); }

std::string Console::ErrStyled(Style style, std::string_view text) const { return Styled(errColour_, style, text); }

std::optional<std::string> Console::ReadLine()
{
    std::fflush(stdout);
    std::string line;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        line += static_cast<char>(c);
    if (c == EOF && line.empty())
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

}  // namespace thld::cli
