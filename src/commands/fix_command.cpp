#include "commands/fix_command.h"

#include <algorithm>

#include "cache/cached_file.h"

namespace thld {

namespace {

bool IsPlainWordCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
           std::string_view("._-+,:@/").find(c) != std::string_view::npos;
}

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

}  // namespace

std::optional<std::string> ShellQuoted(std::string_view text, Shell shell)
{
    if (!text.empty() && std::all_of(text.begin(), text.end(), IsPlainWordCharacter))
        return std::string(text);
    std::string quoted;
    if (shell == Shell::Posix) {
        quoted.push_back('\'');
        for (char c : text) {
            if (c == '\'')
                quoted.append("'\\''");
            else
                quoted.push_back(c);
        }
        quoted.push_back('\'');
        return quoted;
    }
    if (std::any_of(text.begin(), text.end(), [](char c) { return c == '"' || c == '%' || IsControl(c); }) ||
        (!text.empty() && text.back() == '\\'))
        return std::nullopt;
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

std::optional<std::string> FixCommand(const CacheProblem& problem, Shell shell)
{
    auto command = [&](std::string_view verb, std::string_view name) -> std::optional<std::string> {
        if (std::any_of(name.begin(), name.end(), IsControl))
            return std::nullopt;
        const std::optional<std::string> word = ShellQuoted(name, shell);
        if (!word)
            return std::nullopt;
        std::string line = "tallyhold ";
        line.append(verb);
        // A name that begins with a dash would be read as an option.
        line.append(name.starts_with("-") ? " -- " : " ");
        line.append(*word);
        return line;
    };
    switch (problem.kind) {
    case CacheProblem::Kind::Mismatch:
        return command("return", problem.name);
    case CacheProblem::Kind::Stale:
        return "tallyhold tidy --stale";
    case CacheProblem::Kind::Orphan:
        return command("tidy", problem.key + kCachedFileExtension);
    case CacheProblem::Kind::Duplicate:
    case CacheProblem::Kind::Missing:
    case CacheProblem::Kind::Unreadable:
        break;
    }
    return std::nullopt;
}

}  // namespace thld
