#include "cli/command_line.h"

#include <algorithm>

#include "cli/commands.h"
#include "commands/command_table.h"
#include "commands/program_info.h"

namespace thld::cli {

CommandLine::CommandLine()
{
    app.set_version_flag("-V,--version", std::string("tallyhold ") + THLD_VERSION_TEXT, "Show the version and end");
    app.set_help_flag("-h,--help", "Show this help and end");
    app.require_subcommand(0, 1);
    // What the parser doesn't know stays for the program to name (Unknown), with the name meant.
    app.allow_extras();
    app.get_formatter()->label("SUBCOMMAND", "COMMAND");
    app.get_formatter()->label("SUBCOMMANDS", "COMMANDS");
    app.get_formatter()->label("Subcommands", "Commands");
    // Options of the program may also follow the command's name.
    app.fallthrough();
    app.add_option("--game", game, "The game folder (where Maps, System and Textures are)")
        ->type_name("DIR")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("--cache", cache, "The cache folder (where cache.ini is); the game folder's by default")
        ->type_name("DIR")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("--install", install, "The installation of that number in the list 'tallyhold where' shows")
        ->type_name("N")
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option("--color", colour, "Colour: auto (on a terminal, without NO_COLOR or TERM=dumb), always or never")
        ->type_name("WHEN")
        ->check(CLI::IsMember({"auto", "always", "never"}))
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_flag("--no-memo", options.noMemo,
                 "Read every cached file: the memo of earlier listings is neither read nor written");
    app.footer(
        "Every command takes --game DIR, --cache DIR, --install N, --color WHEN and --no-memo too, before or after "
        "its name.\n"
        "Run 'tallyhold help COMMAND' or 'tallyhold COMMAND --help' for a command's options.\n"
        "Exit codes: 0 done; 1 a file error, a refusal or a No; 2 bad usage.");

    CLI::App* list = Add("list", "List every cached package with its kind, size and requirements", ListCommand);
    CLI::Option* json = list->add_flag("--json", options.json, "One JSON object for scripts (schema in docs/USAGE.md)");
    CLI::Option* bytes = list->add_flag("--bytes", options.bytes, "Sizes in bytes, not in KiB, MiB or GiB");
    CLI::Option* sort =
        list->add_option("--sort", options.sort, "Order: name, kind, size (largest first) or age (oldest first)")
            ->type_name("ORDER")
            ->check(CLI::IsMember({"name", "kind", "size", "age"}));
    list->add_flag("--names", options.namesOnly,
                   "Only the names, one a line, read quickly from cache.ini (for shell completion)")
        ->excludes(json)
        ->excludes(bytes)
        ->excludes(sort);

    CLI::App* info =
        Add("info", "Show each package's card: its title, author, players and screenshot for a map", InfoCommand);
    Names(info, "The packages, as the list shows them or without extension")->required();
    info->add_flag("--json", options.json, "One JSON object for scripts (schema in docs/USAGE.md)");
    info->add_option("--screenshot", screenshot, "Write the map's screenshot to FILE as PNG (a new file)")
        ->type_name("FILE.png");

    CLI::App* needs =
        Add("requires", "Show what each package requires, in the order Permanent moves them", RequiresCommand);
    Names(needs, "The packages, as the list shows them or without extension")->required();

    CLI::App* remove = Add(PolicyOf(CommandPlan::Command::Delete).name,
                           "Delete cached packages (asks first, as the window does)", DeleteCommand);
    Names(remove, "The packages, as the list shows them or without extension");
    remove
        ->add_option("--older-than", olderThan,
                     "Only packages whose cached file is older than DAYS days (every one, without NAME)")
        ->type_name("DAYS");
    Changing(remove);

    CLI::App* keep = Add(PolicyOf(CommandPlan::Command::Permanent).name,
                         "Make cached packages permanent (move them into the game's folders)", KeepCommand);
    Names(keep, "The packages, as the list shows them or without extension")->required();
    Changing(keep);

    CLI::App* check = Add("check",
                          "Find the cache's problems (other versions installed, stale lines, files "
                          "without a line, several versions, maps that won't load offline)",
                          CheckCommand);
    check->add_flag("--json", options.json, "One JSON object for scripts (schema in docs/USAGE.md)");

    CLI::App* back =
        Add(PolicyOf(CommandPlan::Command::Return).name,
            "Move installed copies of another version back into the cache, under their GUID", ReturnCommand);
    Names(back, "The cached packages, as the list shows them or without extension")->required();
    Changing(back);

    CLI::App* tidy = Add(PolicyOf(CommandPlan::Command::Tidy).name,
                         "Remove stale lines of cache.ini; delete cached files without a line", TidyCommand);
    Names(tidy, "Cached files without a line to delete (KEY or KEY.uxx)");
    tidy->add_flag("--stale", options.stale, "Remove the lines whose cached file is gone (without options too)");
    tidy->add_flag("--orphans", options.orphans, "Delete every cached file without a line");
    Changing(tidy);

    CLI::App* where = Add("where", "Show the game and cache folders and where they were found", WhereCommand);
    where->add_option("--set-game", setGame, "Store DIR as the game folder, where the windows keep it")
        ->type_name("DIR");

    // "help [COMMAND]" is "[COMMAND] --help"; it has no line of its own in the help.
    help = app.add_subcommand("help")->group("");
    help->add_option("COMMAND", helpOn);
}

CLI::App* CommandLine::Add(const std::string& name, const char* description, Command command)
{
    CLI::App* sub = app.add_subcommand(name, description);
    sub->set_help_flag("-h,--help", "Show this help and end");
    commands.emplace_back(sub, std::move(command));
    return sub;
}

CLI::Option* CommandLine::Names(CLI::App* sub, const char* description)
{
    return sub->add_option("NAME", names, description)->type_name("");
}

void CommandLine::Changing(CLI::App* sub)
{
    sub->add_flag("-y,--yes", options.yes,
                  "Answer every question with Yes. Without it each package is asked about: y for Yes, n for "
                  "No, a for Yes to it and the rest, q for No to it and the rest");
    sub->add_flag("-n,--dry-run", options.dryRun, "Tell what would be done, and do nothing");
}

// The command of that name; nothing for an unknown one.
CLI::App* CommandLine::CommandNamed(const std::string& name) const
{
    for (const auto& entry : commands)
        if (entry.first->get_name() == name)
            return entry.first;
    return nullptr;
}

std::vector<std::string> CommandLine::OptionNames(const CLI::App* sub) const
{
    std::vector<std::string> names;
    for (const CLI::App* owner : {sub, static_cast<const CLI::App*>(&app)}) {
        if (!owner)
            continue;
        for (const CLI::Option* option : owner->get_options()) {
            for (const std::string& name : option->get_lnames())
                names.push_back("--" + name);
            for (const std::string& name : option->get_snames())
                names.push_back("-" + name);
        }
    }
    return names;
}

std::vector<std::string> CommandLine::CommandNames() const
{
    std::vector<std::string> names{"help"};
    for (const auto& entry : commands)
        names.push_back(entry.first->get_name());
    return names;
}

ColourChoice CommandLine::Colour() const
{
    return colour == "always" ? ColourChoice::Always : colour == "never" ? ColourChoice::Never : ColourChoice::Auto;
}

const CLI::App& CommandLine::Selected() const
{
    for (const auto& entry : commands)
        if (entry.first->parsed())
            return *entry.first;
    return app;
}

}  // namespace thld::cli
