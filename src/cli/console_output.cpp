#include "cli/console_output.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>

#include "platform/console.h"
#include "platform/environment.h"

namespace thld::cli {

namespace {

constexpr std::size_t kDefaultColumns = 80;
constexpr std::size_t kNarrowest = 20;

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

// COLUMNS as a width, where it holds one.
std::optional<std::size_t> ColumnsVariable()
{
    const auto text = EnvironmentVariable("COLUMNS");
    if (!text || text->empty() || text->size() > 5)
        return std::nullopt;
    std::size_t columns = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), columns);
    if (error != std::errc() || end != text->data() + text->size() || columns == 0)
        return std::nullopt;
    return columns;
}

bool ColourWanted()
{
    const auto noColour = EnvironmentVariable("NO_COLOR");
    const auto term = EnvironmentVariable("TERM");
    return (!noColour || noColour->empty()) && !(term && *term == "dumb");
}

}  // namespace

Console::Console()
{
    UseUtf8Console();
    outTerminal_ = IsTerminal(StandardStream::Output);
    errTerminal_ = IsTerminal(StandardStream::Error);
    inputIsTerminal_ = IsTerminal(StandardStream::Input);
    ChooseColour(ColourChoice::Auto);
    if (outTerminal_) {
        const int columns = TerminalColumns(StandardStream::Output);
        width_ = ColumnsVariable().value_or(columns > 0 ? static_cast<std::size_t>(columns) : kDefaultColumns);
        if (width_ < kNarrowest)
            width_ = kNarrowest;
    } else {
        std::setvbuf(stdout, nullptr, _IOFBF, 1 << 16);
    }
}

Console::~Console()
{
    std::fflush(stdout);
    std::fflush(stderr);
}

void Console::ChooseColour(ColourChoice choice)
{
    const bool wanted = choice == ColourChoice::Always || (choice == ColourChoice::Auto && ColourWanted());
    outColour_ = wanted && (EnableColour(StandardStream::Output) || choice == ColourChoice::Always);
    errColour_ = wanted && (EnableColour(StandardStream::Error) || choice == ColourChoice::Always);
}

void Console::Out(std::string_view text)
{
    if (outError_ != 0)
        return;
    errno = 0;
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size())
        outError_ = errno != 0 ? errno : -1;
}

void Console::Err(std::string_view text)
{
    std::fflush(stdout);
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

std::string Console::OutStyled(Style style, std::string_view text) const { return Styled(outColour_, style, text); }

std::string Console::ErrStyled(Style style, std::string_view text) const { return Styled(errColour_, style, text); }

std::optional<std::string> Console::ReadLine()
{
    std::fflush(stdout);
    // An answer is a short line: what goes past the first kLongestLine bytes is read and let go.
    constexpr std::size_t kLongestLine = 256;
    std::string line;
    bool any = false;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') {
        any = true;
        if (line.size() < kLongestLine)
            line += static_cast<char>(c);
    }
    if (c == EOF && !any)
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

std::optional<std::string> Console::OutputFailure()
{
    errno = 0;
    if (outError_ == 0 && (std::fflush(stdout) != 0 || std::ferror(stdout)))
        outError_ = errno != 0 ? errno : -1;
    if (outError_ == 0)
        return std::nullopt;
    if (outError_ == EPIPE)
        return std::string();
    std::string why = "standard output could not be written";
    if (outError_ == ENOSPC)
        why += ": the disk is full";
    else if (outError_ > 0)
        why += std::string(": ") + std::strerror(outError_);
    return why;
}

}  // namespace thld::cli
