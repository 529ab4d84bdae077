#pragma once
// Standard output, standard error and standard input as the commands use them: results go to
// standard output, questions and messages to standard error. Colour as --color chooses: by default
// only where a stream is a terminal that shows it (not with NO_COLOR set, nor TERM=dumb). Tables and
// reports are fitted to a terminal's width (COLUMNS where it is set); output to a file or a pipe is
// never cut. Help and messages are wrapped at word boundaries to the width in a pipe too.
// A write to standard output that fails is remembered, so that the program can fail with it.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace thld::cli {

enum class Style {
    Strong,
    Dim,
    Map,
    Textures,
    Script,
    Good,
    Bad
};

enum class ColourChoice {
    Auto,  // where the stream is a terminal, NO_COLOR is not set and TERM is not "dumb"
    Always,
    Never
};

class Console {
public:
    // Lines of any length: what Width() gives where standard output is no terminal.
    static constexpr std::size_t kUnlimited = static_cast<std::size_t>(1) << 30;

    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console();

    void ChooseColour(ColourChoice choice);

    void Out(std::string_view text);
    // Standard output is written out first, so that the two stay in order on one terminal.
    void Err(std::string_view text);
    // The text in a style when that stream shows colour; as it is otherwise.
    std::string OutStyled(Style style, std::string_view text) const;
    std::string ErrStyled(Style style, std::string_view text) const;

    // Columns a line of standard output may use: on a terminal COLUMNS where it is set, else the
    // terminal's width (80 when it is not known); kUnlimited for a file or a pipe.
    std::size_t Width() const { return width_; }
    // Columns a line of help or of a message may use, in a pipe too: COLUMNS where it is set, else
    // the width of the terminal that standard output or standard error is (80 where none is known).
    std::size_t TextWidth() const { return textWidth_; }
    // Columns a message on standard error may use: as Width(), for standard error.
    std::size_t ErrWidth() const { return errTerminal_ ? textWidth_ : kUnlimited; }
    bool InputIsTerminal() const { return inputIsTerminal_; }
    bool ErrorIsTerminal() const { return errTerminal_; }
    // One line of standard input without its line break, cut to its first 256 bytes (the rest is read
    // and let go); nothing at the end of the input.
    std::optional<std::string> ReadLine();

    // Writes out what standard output holds; why writing it failed at any time, if it did. An
    // empty reason means the reader went away (a closed pipe), which needs no message.
    std::optional<std::string> OutputFailure();

private:
    bool outTerminal_ = false;
    bool errTerminal_ = false;
    bool outColour_ = false;
    bool errColour_ = false;
    bool inputIsTerminal_ = false;
    std::size_t width_ = kUnlimited;
    std::size_t textWidth_ = 80;
    int outError_ = 0;  // errno of the first failed write, or -1 where none was given
};

}  // namespace thld::cli
