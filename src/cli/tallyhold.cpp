#include "cli/tallyhold.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <functional>
#include <new>

#include "cli/commands.h"
#include "cli/console_output.h"
#include "cli/terminal_text.h"
#include "platform/file_error.h"

namespace thld::cli {

namespace {

using Command = std::function<int(const Options&, Console&)>;

// The help of the program, or of one command with the program's name before it.
std::string Help(const CLI::App& app)
{
    std::string help = app.get_parent() ? app.help(app.get_parent()->get_name()) : app.help();
    if (!help.empty() && help.back() != '\n')
        help += '\n';
    return help;
}

// A usage error found once the command line has been read.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& message, const CLI::App& app) : std::runtime_error(message), usage(Help(app)) {}
    std::string usage;
};

struct CommandLine {
    CLI::App app{
        "Tallyhold: the download cache of Unreal Tournament. Lists the cached packages, tells what each\n"
        "requires, deletes them or makes them permanent (moves them into the game's own folders).",
        "tallyhold"};
    Options options;
    std::string game, cache, setGame;
    unsigned olderThanDays = 0;
    std::vector<std::pair<CLI::App*, Command>> commands;

    CommandLine()
    {
        app.set_version_flag("--version", std::string("tallyhold ") + THLD_VERSION, "Show the version and end");
        app.set_help_flag("-h,--help", "Show this help and end");
        app.require_subcommand(1);
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
        app.footer(
            "Every command takes --game DIR and --cache DIR too, before or after its name.\n"
            "Run 'tallyhold COMMAND --help' for a command's options.\n"
            "Exit codes: 0 done; 1 a file error, a refusal or a No; 2 bad usage.");

        CLI::App* list = Add("list", "List every cached package with its kind, size and requirements", ListCommand);
        list->add_flag("--json", options.json, "One JSON object for scripts (schema in the README)");
        list->add_option("--sort", options.sort, "Order: name, kind, size (largest first) or age (oldest first)")
            ->type_name("ORDER")
            ->check(CLI::IsMember({"name", "kind", "size", "age"}));

        CLI::App* needs =
            Add("requires", "Show what each package requires, in the order Permanent moves them", RequiresCommand);
        Names(needs, "The packages, as the list shows them or without extension")->required();

        CLI::App* remove = Add("delete", "Delete cached packages (asks first, as the window does)", DeleteCommand);
        Names(remove, "The packages, as the list shows them or without extension");
        remove
            ->add_option("--older-than", olderThanDays,
                         "Only packages whose cached file is older than DAYS days (every one, without NAME)")
            ->type_name("DAYS");
        Changing(remove);

        CLI::App* keep = Add("keep", "Make cached packages permanent (move them into the game's folders)", KeepCommand);
        Names(keep, "The packages, as the list shows them or without extension")->required();
        Changing(keep);

        CLI::App* check = Add("check",
                              "Find the cache's problems (other versions installed, stale lines, files "
                              "without a line, several versions, maps that won't load offline)",
                              CheckCommand);
        check->add_flag("--json", options.json, "One JSON object for scripts (schema in the README)");

        CLI::App* back = Add("return", "Move installed copies of another version back into the cache, under their GUID",
                             ReturnCommand);
        Names(back, "The cached packages, as the list shows them or without extension")->required();
        Changing(back);

        CLI::App* tidy =
            Add("tidy", "Remove stale lines of cache.ini; delete cached files without a line", TidyCommand);
        Names(tidy, "Cached files without a line to delete (KEY or KEY.uxx)");
        tidy->add_flag("--stale", options.stale, "Remove the lines whose cached file is gone (without options too)");
        tidy->add_flag("--orphans", options.orphans, "Delete every cached file without a line");
        Changing(tidy);

        CLI::App* where = Add("where", "Show the game and cache folders and where they were found", WhereCommand);
        where->add_option("--set-game", setGame, "Store DIR as the game folder, where the windows keep it")
            ->type_name("DIR");
    }

    CLI::App* Add(const char* name, const char* description, Command command)
    {
        CLI::App* sub = app.add_subcommand(name, description);
        sub->set_help_flag("-h,--help", "Show this help and end");
        commands.emplace_back(sub, std::move(command));
        return sub;
    }

    CLI::Option* Names(CLI::App* sub, const char* description)
    {
        return sub->add_option("NAME", options.names, description)->type_name("");
    }

    void Changing(CLI::App* sub)
    {
        sub->add_flag("-y,--yes", options.yes, "Answer every question with Yes");
        sub->add_flag("-n,--dry-run", options.dryRun, "Tell what would be done, and do nothing");
    }

    // Reads the arguments; the command chosen, or nothing when help or the version was shown.
    const Command* Parse(std::vector<std::string> arguments, Console& console)
    {
        std::reverse(arguments.begin(), arguments.end());
        try {
            app.parse(arguments);
        } catch (const CLI::ParseError& error) {
            if (dynamic_cast<const CLI::RequiredError*>(&error) && &Selected() == &app)
                throw UsageError("a command is needed: list, requires, delete, keep, check, return, tidy or where",
                                 app);
            if (error.get_exit_code() != 0)
                throw UsageError(error.what(), Selected());
            console.Out(dynamic_cast<const CLI::CallForVersion*>(&error) ? std::string(error.what()) + "\n"
                                                                         : Help(Selected()));
            return nullptr;
        }
        Fill();
        for (const auto& [sub, command] : commands)
            if (sub->parsed())
                return &command;
        throw UsageError("no command was given", app);
    }

    const CLI::App& Selected() const
    {
        for (const auto& entry : commands)
            if (entry.first->parsed())
                return *entry.first;
        return app;
    }

    void Fill()
    {
        const CLI::App& sub = Selected();
        auto given = [&](const char* name) { return app.get_option(name)->count() > 0; };
        if (given("--game")) {
            if (game.empty())
                throw UsageError("--game needs a folder", sub);
            options.folders.game = game;
        }
        if (given("--cache")) {
            if (cache.empty())
                throw UsageError("--cache needs a folder", sub);
            options.folders.cache = cache;
        }
        if (sub.get_name() == "where" && sub.get_option("--set-game")->count() > 0) {
            if (setGame.empty())
                throw UsageError("--set-game needs a folder", sub);
            options.setGame = setGame;
        }
        if (sub.get_name() == "delete" && sub.get_option("--older-than")->count() > 0)
            options.olderThanDays = olderThanDays;
        if (sub.get_name() == "delete" && options.names.empty() && !options.olderThanDays)
            throw UsageError("delete needs a NAME or --older-than DAYS", sub);
    }
};

// A message for standard error, after the program's name: whatever file names it holds, its lines
// carry no control character.
std::string Reported(std::string_view message)
{
    std::string reported = "tallyhold: ";
    for (;;) {
        const std::size_t end = message.find('\n');
        reported += PrintableText(message.substr(0, end));
        reported += '\n';
        if (end == std::string_view::npos)
            return reported;
        message.remove_prefix(end + 1);
    }
}

}  // namespace

int RunTallyhold(const std::vector<std::string>& arguments)
{
    Console console;
    try {
        CommandLine commandLine;
        const Command* command = commandLine.Parse(arguments, console);
        if (!command)
            return kExitDone;
        return (*command)(commandLine.options, console);
    } catch (const UsageError& error) {
        console.Err(Reported(error.what()) + "\n" + error.usage);
        return kExitUsage;
    } catch (const Failure& error) {
        console.Err(Reported(error.what()));
    } catch (const FileError& error) {
        console.Err(Reported(error.what()));
    } catch (const std::bad_alloc&) {
        console.Err(Reported("there is not enough memory"));
    } catch (const std::exception& error) {
        console.Err(Reported(error.what()));
    } catch (...) {
        console.Err(Reported("an unexpected error ended the program"));
    }
    return kExitFailed;
}

}  // namespace thld::cli
