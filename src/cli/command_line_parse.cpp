// The words of the command line read into Options: what CLI11 reads, and around it what it can't do
// as the program needs (a word typed "[x]" taken whole, "--name=" with nothing after it refused,
// what it leaves unknown named with the name probably meant, the numbers and folders checked).
#include <algorithm>
#include <optional>

#include "cli/command_line.h"
#include "cli/game_cache.h"
#include "cli/help_text.h"
#include "cli/terminal_text.h"
#include "cli/word_suggestion.h"
#include "commands/command_table.h"

namespace thld::cli {

namespace {

// The line after a usage error: the usage of the program or the command, and where to read more.
std::string UsageHint(const CLI::App& app)
{
    std::string command = "tallyhold";
    if (app.get_parent())
        command += " " + app.get_name();
    return UsageLine(app) + "; see '" + command + " --help'";
}

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

std::string Quoted(const std::string& word) { return "\"" + PrintableText(word) + "\""; }

std::string Suggestion(const std::string& word, const std::vector<std::string>& names)
{
    const std::optional<std::string> near = NearestWord(word, names);
    return near ? " (did you mean " + *near + "?)" : std::string();
}

// The parser reads a word written "[a,b]" as the list of a and b, where the program takes every
// word as it was typed (a package may be named "[x].u"): such a word, and one that begins with
// the mark, is handed over behind a mark that the parser leaves alone, and taken back without it.
constexpr char kMark = '\x01';
std::string Guarded(std::string word)
{
    if (word.starts_with('[') || word.starts_with(kMark))
        word.insert(word.begin(), kMark);
    return word;
}

std::string Unguarded(std::string word)
{
    if (word.starts_with(kMark))
        word.erase(word.begin());
    return word;
}

}  // namespace

UsageError::UsageError(const std::string& message, const CLI::App& app)
    : std::runtime_error(message), hint(UsageHint(app))
{}

// Reads the arguments; the command chosen, or nothing when help or the version was shown.
const Command* CommandLine::Parse(std::vector<std::string> arguments, Console& console)
{
    RefuseEmptyValues(arguments);
    for (std::string& word : arguments)
        word = Guarded(std::move(word));
    typed = arguments;
    std::reverse(arguments.begin(), arguments.end());
    try {
        app.parse(arguments);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() != 0) {
            RefuseUnknown();
            throw UsageError(error.what(), Selected());
        }
        console.Out(dynamic_cast<const CLI::CallForVersion*>(&error) ? std::string(error.what()) + "\n"
                                                                     : HelpText(Selected(), console.TextWidth()));
        return nullptr;
    }
    RefuseUnknown();
    if (help->parsed()) {
        const CLI::App* on = helpOn.empty() ? &app : CommandNamed(Unguarded(helpOn));
        if (!on)
            throw UsageError(
                "unknown command " + Quoted(Unguarded(helpOn)) + Suggestion(Unguarded(helpOn), CommandNames()), app);
        console.Out(HelpText(*on, console.TextWidth()));
        return nullptr;
    }
    if (&Selected() == &app)
        throw UsageError("a command is needed: list, info, requires, delete, keep, check, return, tidy or where", app);
    for (std::string* text : {&game, &cache, &setGame, &install, &olderThan, &screenshot})
        *text = Unguarded(std::move(*text));
    for (const std::string& name : names)
        options.names.push_back(Unguarded(name));
    Fill();
    UseListingMemo(!options.noMemo);
    for (const auto& [sub, command] : commands)
        if (sub->parsed())
            return &command;
    throw UsageError("no command was given", app);
}

// What the parser left: an unknown option or command is said as such, with the name that was
// probably meant.
void CommandLine::RefuseUnknown() const
{
    const std::vector<std::string> left = app.remaining();
    if (left.empty())
        return;
    const CLI::App& sub = Selected();
    const std::string word = Unguarded(left.front());
    if (word.size() > 1 && word[0] == '-') {
        // Before the command's name, only the program's options are known.
        const auto at = std::find(typed.begin(), typed.end(), left.front());
        const bool beforeCommand = &sub == &app || std::find(typed.begin(), at, sub.get_name()) == at;
        const CLI::App& known = beforeCommand ? app : sub;
        const std::string name = word.starts_with("--") ? word.substr(0, word.find('=')) : word.substr(0, 2);
        throw UsageError(
            "unknown option " + Quoted(name) + Suggestion(name, OptionNames(&known == &app ? nullptr : &known)), known);
    }
    throw UsageError("unknown command " + Quoted(word) + Suggestion(word, CommandNames()), app);
}

// A word "--name=" with nothing after the "=": the parser would take the next word as the value.
void CommandLine::RefuseEmptyValues(const std::vector<std::string>& arguments) const
{
    const CLI::App* sub = nullptr;
    for (const std::string& word : arguments) {
        if (word == "--")
            return;
        if (!sub && !word.starts_with("-"))
            sub = CommandNamed(word);
        if (word.starts_with("--") && word.find('=') == word.size() - 1) {
            const std::string name = word.substr(0, word.size() - 1);
            const CLI::App& owner = sub && sub->get_option_no_throw(name) ? *sub : app;
            if (owner.get_option_no_throw(name))
                throw UsageError(name + " needs a value after \"=\"", sub ? *sub : app);
        }
    }
}

void CommandLine::Fill()
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
    if (sub.get_name() == PolicyOf(CommandPlan::Command::Delete).name && sub.get_option("--older-than")->count() > 0)
        options.olderThanDays = Days(olderThan, sub);
    if (sub.get_name() == PolicyOf(CommandPlan::Command::Delete).name && options.names.empty() &&
        !options.olderThanDays)
        throw UsageError("delete needs a NAME or --older-than DAYS", sub);
}

}  // namespace thld::cli
