#pragma once
// Delete, Permanent, Return and Tidy carried out: the steps of a plan (delete_plan.h,
// permanent_plan.h, return_plan.h, tidy_plan.h) taken in order, each asked about as the command
// asks, each checked on disk right before it acts, and an outcome for every step in the report.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "commands/planned_step.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"
#include "game/process_scanner.h"
#include "platform/file_error.h"
#include "platform/path_stamp.h"

namespace thld {

struct StepOutcome {
    enum class Result {
        NotReached,  // the run ended before it: a No to Permanent's question, or a failure
        Done,        // deleted, or moved, with its line gone from cache.ini (Return: with its line added)
        PassedOver,  // nothing changed for it; `why` says why
        Failed,      // nothing more is done: `error` holds the file error, or the user was told why
    };
    enum class Why {
        None,
        AsPlanned,          // the plan passes it over: its step's `what` says why
        Refused,            // the user said No to the question before it
        ReplaceRefused,     // the user kept the file at its destination
        NoLine,             // cache.ini holds no line of it any more
        OtherLine,          // cache.ini's line of that name names another cached file than the listing's
        NoFile,             // its cached file is no longer there
        NotPlainName,       // its line has a key that can't name a file (the user is told)
        CachedFileIsLink,   // (the user is told)
        DestinationIsLink,  // (the user is told)
        LinkNotDeletable,   // (the user is told)
        StayedEarlier,      // planned to go with an earlier step, which left it in the cache
        CachedAlready,      // Return: the cache holds its GUID by now (the user is told)
        Changed,            // the disk is no longer as planned (another GUID, a line or file come back)
    };
    Result result = Result::NotReached;
    Why why = Why::None;
    std::optional<FileError> error;  // Failed on the disk; otherwise cache.ini could not be read or written
};

struct RunReport {
    bool agreed = false;                // the user agreed to something
    bool cacheChanged = false;          // cache.ini was not the one listed: nothing was asked
    bool gameRunning = false;           // the game or its editor runs: the user was told, nothing was asked
    bool stopped = false;               // the progress callback stopped the run between two questions
    std::vector<StepOutcome> outcomes;  // outcomes[i] for the plan's steps[i]

    // The file error that ended the run; nothing when none did.
    const FileError* Failure() const;
    // Raises the file error that ended the run, if one did, for the front-end's barrier to show.
    void RaiseFailure() const;
    // The cache changed, or was found changed, and the run ended without a file error: the listing
    // is out of date.
    bool ListAgain() const { return (agreed || cacheChanged) && !Failure(); }
};

enum class RunStep {
    Continue,
    Stop,
};
// Told before each question (`done` of `total` questions so far, and the name of the one to come) and
// once more at the end (`total` of `total`, no name); an answer Stop ends the run there, cleanly:
// what was begun is carried out, the rest stays untouched (RunReport::stopped).
using RunProgress = std::function<RunStep(std::size_t done, std::size_t total, const std::string& current)>;

// Takes the plan's steps in order, question by question, as the command's row of the table says
// (command_table.h). Before the steps of each question it asks: Delete "Confirm Delete File" and
// Permanent "Confirm Move File", with the name of the package's line in cache.ini as it is now (no
// name without one); Return "Confirm Return File" with the installed file; Tidy "Confirm Remove
// Line" with the line or "Confirm Delete File" with the file. A No passes that question's steps
// over, or ends the run (Permanent). A question whose only step went with an earlier one is not
// asked, nor in Return and Tidy one whose only step passes its package over. On Yes each step is
// carried out as planned, after checking the disk: its line must still be in cache.ini with the
// listing's key (a line whose key or name can't name a file, or whose cached file or destination is
// a link, stays, and the user is told once); a file at a move's destination is replaced only after
// "Confirm Replace File", and only once the line is gone. A step ends with its package either gone
// with its line or cached with it. The run ends at the first failure: a file error (kept in the
// outcome, not raised), or cache.ini that can't be read or written (told). Answered unasked
// (UserPrompt::AsksTheUser), Delete's steps are carried out a batch at a time (delete_batch.h).
// This is the one loop over a plan's steps, and CarryOut (step_actions.h) the one call by which a
// step changes the disk.
// First of all, while the game or its editor runs (`scanner`, process_scanner.h), the user is told
// so and nothing is asked or changed (gameRunning): this is the one moment every program checks it
// before a change. Then the run takes the cache's lock (cache_change.h) and holds it to the end:
// while another program holds it all the while the run waits, the user is told and nothing is asked
// or changed. `listedIndex` is the stamp of cache.ini that the listing of the plan's items saw
// (nothing when not known); when cache.ini is another by then, the user is told, nothing is asked or
// changed, and the report says to list again (cacheChanged). An empty plan does nothing.
RunReport RunPlan(const GameFolders& folders, const CommandPlan& plan, UserPrompt& prompt,
                  const std::optional<PathStamp>& listedIndex = std::nullopt,
                  const ProcessScanner& scanner = ProcessScanner(), const RunProgress& progress = {});

}  // namespace thld
