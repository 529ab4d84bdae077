#include "cli/help_text.h"

#include <CLI/CLI.hpp>

#include "cli/terminal_text.h"

namespace thld::cli {

namespace {

// "-y, --yes", "--game DIR", "--sort ORDER": the option's names and what its value is.
std::string Term(const CLI::Option& option)
{
    std::string term;
    for (const std::string& name : option.get_snames())
        term += (term.empty() ? "-" : ", -") + name;
    for (const std::string& name : option.get_lnames())
        term += (term.empty() ? "--" : ", --") + name;
    if (option.get_items_expected_max() != 0) {
        // The parser appends the choices of a check ("WHEN:{auto,always,never}"); the description
        // names them.
        const std::string type = option.get_type_name();
        term += " " + type.substr(0, type.find(':'));
    }
    return term;
}

std::string Arguments(const CLI::Option& positional)
{
    const std::string names = positional.get_name() + "...";
    return positional.get_required() ? names : "[" + names + "]";
}

std::string Section(const char* title, const std::vector<TermRow>& rows, std::size_t width)
{
    return rows.empty() ? std::string() : "\n" + std::string(title) + ":\n" + TwoColumns(rows, width);
}

}  // namespace

std::string UsageLine(const CLI::App& app)
{
    std::string line = "Usage: ";
    for (const CLI::App* owner = app.get_parent(); owner; owner = owner->get_parent())
        line += owner->get_name() + " ";
    line += app.get_name() + " [OPTIONS]";
    for (const CLI::Option* option : app.get_options())
        if (option->get_positional())
            line += " " + Arguments(*option);
    if (!app.get_subcommands({}).empty())
        line += " COMMAND";
    return line;
}

std::string HelpText(const CLI::App& app, std::size_t width)
{
    std::string help =
        WrappedLines(app.get_description(), width) + "\n\n" + WrappedLines(UsageLine(app), width, 2) + "\n";
    std::vector<TermRow> arguments, options, commands;
    for (const CLI::Option* option : app.get_options()) {
        if (option->get_positional())
            arguments.push_back({Arguments(*option), option->get_description()});
        else
            options.push_back({Term(*option), option->get_description()});
    }
    // A command of no group (help) has no line of its own.
    for (const CLI::App* command : app.get_subcommands({}))
        if (!command->get_group().empty())
            commands.push_back({command->get_name(), command->get_description()});
    help += Section("Arguments", arguments, width);
    help += Section("Options", options, width);
    help += Section("Commands", commands, width);
    const CLI::App* root = &app;
    while (root->get_parent())
        root = root->get_parent();
    if (!root->get_footer().empty())
        help += "\n" + WrappedLines(root->get_footer(), width) + "\n";
    return help;
}

}  // namespace thld::cli
