#pragma once
// The command line of tallyhold read: the commands and their options (CLI11, command_line.cpp), and
// the reading of the words into Options, with a usage error for what can't be read
// (command_line_parse.cpp): an unknown option or command named with the one probably meant.

#include <CLI/CLI.hpp>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "cli/console_output.h"
#include "cli/options.h"

namespace thld::cli {

using Command = std::function<int(const Options&, Console&)>;

// A usage error found once the command line has been read: the message, and the usage it breaks.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& message, const CLI::App& app);
    std::string hint;  // the usage of the program or the command, and where to read more
};

class CommandLine {
public:
    CommandLine();
    // Reads the arguments (UTF-8, after the program's name) into `options`: the command chosen, or
    // nothing when help or the version was shown. UsageError for what can't be read.
    const Command* Parse(std::vector<std::string> arguments, Console& console);
    ColourChoice Colour() const;

    Options options;

private:
    CLI::App* Add(const std::string& name, const char* description, Command command);
    CLI::Option* Names(CLI::App* sub, const char* description);
    void Changing(CLI::App* sub);
    // The command of that name; nothing for an unknown one.
    CLI::App* CommandNamed(const std::string& name) const;
    std::vector<std::string> OptionNames(const CLI::App* sub) const;
    std::vector<std::string> CommandNames() const;
    // The command given; the program itself where none was.
    const CLI::App& Selected() const;
    void RefuseUnknown() const;
    void RefuseEmptyValues(const std::vector<std::string>& arguments) const;
    void Fill();

    CLI::App app{
        "Tallyhold: the download cache of Unreal Tournament. Lists the cached packages, tells what each "
        "requires, deletes them or makes them permanent (moves them into the game's own folders).",
        "tallyhold"};
    std::string game, cache, setGame, install, olderThan, screenshot, colour = "auto", helpOn;
    std::vector<std::string> names;
    std::vector<std::string> typed;  // the arguments as handed to the parser
    std::vector<std::pair<CLI::App*, Command>> commands;
    CLI::App* help = nullptr;
};

}  // namespace thld::cli
