#pragma once
// Standard output, standard error and standard input as the commands use them: results go to
// standard output, questions and messages to standard error; colour only where a stream is a
// terminal (and NO_COLOR is not set).

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

class Console {
public:
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;
    ~Console();

    void Out(std::string_view text);
    // Standard output is written out first, so that the two stay in order on one terminal.
    void Err(std::string_view text);
    // The text in a style when that stream shows colour; as it is otherwise.
    std::string OutStyled(Style style, std::string_view text) const;
    std::string ErrStyled(Style style, std::string_view text) const;

    // Columns the output may use: the terminal's width, at least 80; 80 when it is no terminal.
    std::size_t Width() const { return width_; }
    bool InputIsTerminal() const { return inputIsTerminal_; }
    // One line of standard input without its line break; nothing at the end of the input.
    std::optional<std::string> ReadLine();

private:
    bool outColour_ = false;
    bool errColour_ = false;
    bool inputIsTerminal_ = false;
    std::size_t width_ = 80;
};

}  // namespace thld::cli
