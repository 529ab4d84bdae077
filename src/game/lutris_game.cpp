#include "game/lutris_game.h"

namespace thld {

namespace {

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

// A scalar as written after "name:": quotes taken off ('' in single quotes is one quote; a backslash
// escapes the next character in double quotes), a comment after a bare value dropped.
std::string Scalar(std::string_view text)
{
    text = Trimmed(text);
    std::string value;
    if (!text.empty() && (text.front() == '\'' || text.front() == '"')) {
        const char quote = text.front();
        for (std::size_t i = 1; i < text.size(); ++i) {
            char c = text[i];
            if (c == quote) {
                if (quote == '\'' && i + 1 < text.size() && text[i + 1] == '\'') {
                    value += '\'';
                    ++i;
                    continue;
                }
                break;
            }
            if (quote == '"' && c == '\\' && i + 1 < text.size())
                c = text[++i];
            value += c;
        }
        return value;
    }
    const std::size_t comment = text.find(" #");
    return std::string(Trimmed(text.substr(0, comment)));
}

}  // namespace

LutrisGame ReadLutrisGame(std::string_view text)
{
    LutrisGame game;
    bool inGame = false;
    std::size_t childIndent = std::string_view::npos;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        const std::size_t indent = line.find_first_not_of(' ');
        if (indent == std::string_view::npos || line[indent] == '#' || Trimmed(line).empty())
            continue;
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view name = Trimmed(line.substr(indent, colon - indent));
        if (indent == 0) {
            inGame = name == "game";
            childIndent = std::string_view::npos;
            continue;
        }
        if (!inGame)
            continue;
        if (childIndent == std::string_view::npos)
            childIndent = indent;
        if (indent != childIndent)
            continue;  // deeper: a value of a child, which these names never have
        const std::string value = Scalar(line.substr(colon + 1));
        if (name == "exe")
            game.exe = value;
        else if (name == "prefix")
            game.prefix = value;
        else if (name == "working_dir")
            game.workingDir = value;
    }
    return game;
}

}  // namespace thld
