// tallyhold delete and keep: the window's Delete and Permanent on the packages named, with the same
// questions, asked on the terminal.
#include <algorithm>
#include <chrono>
#include <set>

#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_text.h"
#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/package_names.h"
#include "cli/plan_text.h"
#include "cli/terminal_prompt.h"
#include "cli/terminal_text.h"
#include "commands/delete_ticked.h"
#include "commands/entry_names.h"
#include "commands/make_permanent.h"
#include "game/process_scanner.h"
#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {

void RefuseWhileTheGameRuns()
{
    if (const char* message = RunningGameMessage(ProcessScanner()))
        throw Failure(message);
}

// The keys that cache.ini still lists, read afresh.
std::set<std::string, std::less<>> ListedKeys(const std::string& cacheFolder)
{
    std::set<std::string, std::less<>> keys;
    for (const std::string& line : ReadIndexEntries(cacheFolder).lines)
        if (auto entry = SplitEntryText(line))
            keys.emplace(entry->key);
    return keys;
}

// Runs a command through the prompt. A file error ends the command where it happened (what was
// done before stays done): it is reported after what was done.
template <typename Command>
std::optional<std::string> RunUntilFileError(Command command)
{
    try {
        command();
    } catch (const FileError& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

TerminalPrompt::Answers AnswersOf(const Options& options)
{
    return options.yes ? TerminalPrompt::Answers::AllYes : TerminalPrompt::Answers::Asked;
}

int Ending(const TerminalPrompt& prompt, const std::optional<std::string>& fileError)
{
    if (fileError)
        throw Failure(PrintableText(*fileError));
    return prompt.FellShort() ? kExitFailed : kExitDone;
}

std::string Count(std::size_t n, const char* one, const char* many)
{
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// The packages `delete` selects: those named (all without a NAME), and of them those whose cached
// file is older than --older-than, in the order of the listing.
std::vector<std::size_t> SelectedForDelete(const Options& options, const std::vector<PackageItem>& items)
{
    std::vector<std::size_t> selected;
    if (options.names.empty()) {
        for (std::size_t i = 0; i < items.size(); ++i)
            selected.push_back(i);
    } else {
        selected = ItemsNamed(items, options.names);
        std::sort(selected.begin(), selected.end());
    }
    if (options.olderThanDays) {
        const std::int64_t now =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                .count();
        const std::int64_t cutoff = now - std::int64_t{86400} * *options.olderThanDays;
        std::erase_if(selected, [&](std::size_t i) { return items[i].modified <= 0 || items[i].modified >= cutoff; });
    }
    return selected;
}

}  // namespace

int DeleteCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, false);
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<std::size_t> selected = SelectedForDelete(options, items);
    const std::string& cacheFolder = installation.folders.cacheFolder;
    if (selected.empty()) {
        console.Out(options.olderThanDays ? "No package is older than " + std::to_string(*options.olderThanDays) +
                                                " days: nothing to delete.\n"
                                          : "Nothing to delete.\n");
        return kExitDone;
    }
    if (options.dryRun) {
        std::uint64_t bytes = 0;
        std::string out = "Delete would remove " + Count(selected.size(), "package", "packages") + ":\n";
        for (std::size_t i : selected) {
            const PackageItem& item = items[i];
            bytes += item.size;
            out += "  " + PrintableText(item.name) + "  " + item.sizeText + "  " + PrintableText(item.key) +
                   kCachedFileExtension;
            if (!IsPlainFileName(item.key))
                out += console.OutStyled(Style::Bad, "  stays: its key is not a plain file name");
            out += '\n';
        }
        console.Out(out + "together " + HumanSize(bytes) + "; nothing was changed (--dry-run).\n");
        return kExitDone;
    }
    RefuseWhileTheGameRuns();
    TerminalPrompt prompt(console, AnswersOf(options));
    const auto fileError =
        RunUntilFileError([&] { DeleteTicked(installation.folders, items, TicksOf(items, selected), prompt); });

    const auto listed = ListedKeys(cacheFolder);
    std::size_t deleted = 0;
    std::uint64_t freed = 0;
    std::string out;
    for (std::size_t i : selected) {
        const PackageItem& item = items[i];
        if (listed.count(item.key) != 0)
            continue;
        const std::string cached = CachedFilePath(cacheFolder, item.key);
        if (PathExists(cached)) {
            out += "Removed " + PrintableText(item.name) + " from cache.ini; its file stays: " + PrintableText(cached) +
                   "\n";
            continue;
        }
        out += "Deleted " + PrintableText(item.name) + "\n";
        ++deleted;
        freed += item.size;
    }
    out += deleted == 0 ? "Nothing was deleted.\n"
                        : "Deleted " + Count(deleted, "package", "packages") + ", " + HumanSize(freed) + " freed.\n";
    console.Out(out);
    return Ending(prompt, fileError);
}

int KeepCommand(const Options& options, Console& console)
{
    const Installation installation = FindGame(options.folders, true, console);
    const Listing listing = ReadCache(installation, console, true);
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<bool> ticks = TicksOf(items, ItemsNamed(items, options.names));
    const std::vector<PlannedStep> steps = PlanPermanent(installation.folders, items, ticks);
    const std::string plan = PlanLines(steps, items, PlanDetail::Destinations, console);
    if (options.dryRun) {
        console.Out("Permanent would take these steps:\n" + plan + "Nothing was changed (--dry-run).\n");
        return kExitDone;
    }
    RefuseWhileTheGameRuns();
    if (!options.yes)
        console.Out("Permanent takes these steps:\n" + plan);
    TerminalPrompt prompt(console, AnswersOf(options));
    const auto fileError = RunUntilFileError([&] { MakeTickedPermanent(installation.folders, items, ticks, prompt); });

    const std::string& cacheFolder = installation.folders.cacheFolder;
    const auto listed = ListedKeys(cacheFolder);
    std::size_t moved = 0;
    std::string out;
    for (const PlannedStep& step : steps) {
        if (step.what != PlannedStep::What::Move)
            continue;
        const PackageItem& item = items[*step.item];
        if (listed.count(item.key) != 0 || PathExists(CachedFilePath(cacheFolder, item.key)) ||
            !PathExists(step.destination))
            continue;
        out += "Moved " + PrintableText(item.name) + " to " + PrintableText(step.destination) + "\n";
        ++moved;
    }
    out +=
        moved == 0 ? "Nothing was made permanent.\n" : "Made " + Count(moved, "package", "packages") + " permanent.\n";
    console.Out(out);
    return Ending(prompt, fileError);
}

}  // namespace thld::cli
