#include "cli/tallyhold.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <functional>
#include <new>
#include <optional>

#include "cli/commands.h"
#include "cli/console_output.h"
#include "cli/game_cache.h"
#include "cli/help_text.h"
#include "cli/terminal_text.h"
#include "cli/word_suggestion.h"
#include "commands/program_info.h"
#include "platform/file_error.h"

namespace thld::cli {

namespace {

using Command = std::function<int(const Options&, Console&)>;

// The line after a usage error: the usage of the program or the command, and where to read more.
std::string UsageHint(const CLI::App& app)
{
    std::string command = "tallyhold";
    if (app.get_parent())
        command += " " + app.get_name();
    return UsageLine(app) + "; see '" + command + " --help'";
}

// A usage error found once the command line has been read: the message, and the usage it breaks.
class UsageError : public std::runtime_error {
public:
    UsageError(const std::string& message, const CLI::App& app) : std::runtime_error(message), hint(UsageHint(app)) {}
    std::string hint;
};

// A number as the user wrote it: decimal digits only (no sign, no base, nothing empty), any count
// of zeros before it, at most `most`; nothing otherwise.
std::optional<unsigned> DecimalNumber(std::string_view text, unsigned most)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size()));
    unsigned number = 0;
    for (char c : text) {
        number = number * 10 + static_cast<unsigned>(c - '0');
        if (number > most)
            return std::nullopt;
    }
    return number;
}

// Days as the user wrote them (DecimalNumber), at most kMostDays.
unsigned Days(const std::string& text, const CLI::App& sub)
{
    constexpr unsigned kMostDays = 100000;
    const std::optional<unsigned> days = DecimalNumber(text, kMostDays);
    if (!days)
        throw UsageError("--older-than takes a number of days, from 0 to " + std::to_string(kMostDays) +
                             ", in digits: \"" + PrintableText(text) + "\" is none",
                         sub);
    return *days;
}

struct CommandLine {
    CLI::App app{
        "Tallyhold: the download cache of Unreal Tournament. Lists the cached packages, tells what each "
        "requires, deletes them or makes them permanent (moves them into the game's own folders).",
        "tallyhold"};
    Options options;
    std::string game, cache, setGame, install, olderThan, screenshot, colour = "auto";
    // The NAMEs as the parser takes them, and as they were typed: the parser would read "[a,b]" as
    // two names, so the program takes them from the words themselves.
    std::vector<std::string> parsedNames, typedNames;
    std::vector<std::pair<CLI::App*, Command>> commands;

    CommandLine()
    {
        app.set_version_flag("-V,--version", std::string("tallyhold ") + THLD_VERSION_TEXT, "Show the version and end");
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
        app.add_option("--install", install, "The installation of that number in the list 'tallyhold where' shows")
            ->type_name("N")
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        app.add_option("--color", colour,
                       "Colour: auto (on a terminal, without NO_COLOR or TERM=dumb), always or never")
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
        CLI::Option* json =
            list->add_flag("--json", options.json, "One JSON object for scripts (schema in the README)");
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
        info->add_flag("--json", options.json, "One JSON object for scripts (schema in the README)");
        info->add_option("--screenshot", screenshot, "Write the map's screenshot to FILE as PNG (a new file)")
            ->type_name("FILE.png");

        CLI::App* needs =
            Add("requires", "Show what each package requires, in the order Permanent moves them", RequiresCommand);
        Names(needs, "The packages, as the list shows them or without extension")->required();

        CLI::App* remove = Add("delete", "Delete cached packages (asks first, as the window does)", DeleteCommand);
        Names(remove, "The packages, as the list shows them or without extension");
        remove
            ->add_option("--older-than", olderThan,
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
        return sub->add_option("NAME", parsedNames, description)->type_name("");
    }

    void Changing(CLI::App* sub)
    {
        sub->add_flag("-y,--yes", options.yes,
                      "Answer every question with Yes. Without it each package is asked about: y for Yes, n for "
                      "No, a for Yes to it and the rest, q for No to it and the rest");
        sub->add_flag("-n,--dry-run", options.dryRun, "Tell what would be done, and do nothing");
    }

    // The command of that name; nothing for an unknown one.
    CLI::App* CommandNamed(const std::string& name) const
    {
        for (const auto& entry : commands)
            if (entry.first->get_name() == name)
                return entry.first;
        return nullptr;
    }

    // The option of that name ("--game", "-y") of the program or of the command; nothing for an
    // unknown one.
    static const CLI::Option* OptionNamed(const CLI::App& app, const CLI::App* sub, const std::string& name)
    {
        for (const CLI::App* owner : {sub, &app}) {
            if (!owner)
                continue;
            for (const CLI::Option* option : owner->get_options()) {
                const auto& names = name.starts_with("--") ? option->get_lnames() : option->get_snames();
                const std::string bare = name.substr(name.starts_with("--") ? 2 : 1);
                if (std::find(names.begin(), names.end(), bare) != names.end())
                    return option;
            }
        }
        return nullptr;
    }

    std::vector<std::string> OptionNames(const CLI::App* sub) const
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

    std::vector<std::string> CommandNames() const
    {
        std::vector<std::string> names{"help"};
        for (const auto& entry : commands)
            names.push_back(entry.first->get_name());
        return names;
    }

    // Looks at the words before the parser does: an unknown option or command is said as such, with
    // the name that was probably meant; "help [COMMAND]" becomes "[COMMAND] --help".
    std::vector<std::string> Checked(std::vector<std::string> arguments)
    {
        const CLI::App* sub = nullptr;
        std::optional<std::size_t> helpWord;
        for (std::size_t i = 0; i < arguments.size(); ++i) {
            const std::string& word = arguments[i];
            if (word == "--") {
                if (sub)
                    typedNames.insert(typedNames.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                      arguments.end());
                break;
            }
            if (word.size() > 1 && word[0] == '-') {
                const bool isLong = word.starts_with("--");
                const std::string name = isLong ? word.substr(0, word.find('=')) : word.substr(0, 2);
                const CLI::Option* option = OptionNamed(app, sub, name);
                if (!option)
                    throw UsageError("unknown option " + Quoted(name) + Suggestion(name, OptionNames(sub)),
                                     sub ? *sub : app);
                const bool takesValue = option->get_items_expected_max() != 0;
                if (!isLong && !takesValue) {
                    // Flags given together, as in -yn.
                    for (std::size_t c = 2; c < word.size(); ++c) {
                        const std::string flag = std::string("-") + word[c];
                        const CLI::Option* other = OptionNamed(app, sub, flag);
                        if (!other || other->get_items_expected_max() != 0)
                            throw UsageError("unknown option " + Quoted(flag) + Suggestion(flag, OptionNames(sub)),
                                             sub ? *sub : app);
                    }
                }
                const bool valueJoined = isLong ? word.find('=') != std::string::npos : word.size() > 2;
                if (takesValue && valueJoined && word.back() == '=')
                    throw UsageError(name + " needs a value after \"=\"", sub ? *sub : app);
                if (takesValue && !valueJoined)
                    ++i;
                continue;
            }
            if (sub || helpWord) {
                if (helpWord && !sub) {
                    sub = CommandNamed(word);
                    if (!sub)
                        throw UsageError("unknown command " + Quoted(word) + Suggestion(word, CommandNames()), app);
                } else {
                    typedNames.push_back(word);
                }
                continue;
            }
            if (word == "help") {
                helpWord = i;
                continue;
            }
            sub = CommandNamed(word);
            if (!sub)
                throw UsageError("unknown command " + Quoted(word) + Suggestion(word, CommandNames()), app);
        }
        if (helpWord) {
            arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(*helpWord));
            arguments.push_back("--help");
        }
        return arguments;
    }

    static std::string Quoted(const std::string& word) { return "\"" + PrintableText(word) + "\""; }

    static std::string Suggestion(const std::string& word, const std::vector<std::string>& names)
    {
        const std::optional<std::string> near = NearestWord(word, names);
        return near ? " (did you mean " + *near + "?)" : std::string();
    }

    // Reads the arguments; the command chosen, or nothing when help or the version was shown.
    const Command* Parse(std::vector<std::string> arguments, Console& console)
    {
        arguments = Checked(std::move(arguments));
        std::reverse(arguments.begin(), arguments.end());
        try {
            app.parse(arguments);
        } catch (const CLI::ParseError& error) {
            if (dynamic_cast<const CLI::RequiredError*>(&error) && &Selected() == &app)
                throw UsageError(
                    "a command is needed: list, info, requires, delete, keep, check, return, tidy or where", app);
            if (error.get_exit_code() != 0)
                throw UsageError(error.what(), Selected());
            console.Out(dynamic_cast<const CLI::CallForVersion*>(&error) ? std::string(error.what()) + "\n"
                                                                         : HelpText(Selected(), console.TextWidth()));
            return nullptr;
        }
        options.names = typedNames;
        Fill();
        UseListingMemo(!options.noMemo);
        for (const auto& [sub, command] : commands)
            if (sub->parsed())
                return &command;
        throw UsageError("no command was given", app);
    }

    ColourChoice Colour() const
    {
        return colour == "always" ? ColourChoice::Always : colour == "never" ? ColourChoice::Never : ColourChoice::Auto;
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
        if (given("--install")) {
            const std::optional<unsigned> number = DecimalNumber(install, 9999);
            if (!number || *number == 0)
                throw UsageError("--install needs the number of an installation, as 'tallyhold where' lists them", sub);
            options.folders.install = *number;
        }
        if (sub.get_name() == "where" && sub.get_option("--set-game")->count() > 0) {
            if (setGame.empty())
                throw UsageError("--set-game needs a folder", sub);
            options.setGame = setGame;
        }
        if (sub.get_name() == "info" && sub.get_option("--screenshot")->count() > 0) {
            if (screenshot.empty())
                throw UsageError("--screenshot needs a file", sub);
            options.screenshotFile = screenshot;
        }
        if (sub.get_name() == "delete" && sub.get_option("--older-than")->count() > 0)
            options.olderThanDays = Days(olderThan, sub);
        if (sub.get_name() == "delete" && options.names.empty() && !options.olderThanDays)
            throw UsageError("delete needs a NAME or --older-than DAYS", sub);
    }
};

// A message for standard error, after the program's name, wrapped to the width: whatever file
// names it holds, its lines carry no control character.
std::string Reported(std::string_view message, std::size_t width)
{
    std::string lines = "tallyhold: ";
    for (;;) {
        const std::size_t end = message.find('\n');
        lines += PrintableText(message.substr(0, end));
        if (end == std::string_view::npos)
            return WrappedLines(lines, width, 2) + '\n';
        lines += '\n';
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
        int exitCode = kExitDone;
        if (command) {
            console.ChooseColour(commandLine.Colour());
            exitCode = (*command)(commandLine.options, console);
        }
        if (const std::optional<std::string> failure = console.OutputFailure()) {
            if (!failure->empty())
                console.Err(Reported(*failure, console.ErrWidth()));
            return kExitFailed;
        }
        return exitCode;
    } catch (const UsageError& error) {
        console.Err(Reported(error.what(), console.TextWidth()) + WrappedLines(error.hint, console.TextWidth(), 2) +
                    "\n");
        return kExitUsage;
    } catch (const Failure& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (const FileError& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (const std::bad_alloc&) {
        console.Err(Reported("there is not enough memory", console.ErrWidth()));
    } catch (const std::exception& error) {
        console.Err(Reported(error.what(), console.ErrWidth()));
    } catch (...) {
        console.Err(Reported("an unexpected error ended the program", console.ErrWidth()));
    }
    return kExitFailed;
}

}  // namespace thld::cli
