#pragma once
// A plan of Delete, Permanent, Return or Tidy: every step the command takes, in order, written down
// before the run, those it passes a package over with included (with the reason in `what`). A step
// is a small value that names what it acts on (a package's line and cached file, an installed file,
// Tidy's stale line or cached file without a line) and, for a move, the file it becomes, so that it
// can be shown, kept and carried out alone. The plans are made by delete_plan.h, permanent_plan.h,
// return_plan.h and tidy_plan.h; run_plan.h carries them out.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace thld {

struct PlannedStep {
    enum class What {
        Delete,            // its line leaves cache.ini and its cached file goes
        Move,              // moves to `destination`, its line leaving cache.ini
        NotCached,         // a required package with no package item in the listing
        NoDestination,     // a kind without a folder of its own: stays in the cache
        NotPlainName,      // its key or name can't name a file: left in the cache
        Link,              // its cached file, or the file it would replace, is a link: left in the cache
        Cycle,             // required by a package that it requires in turn: moves once, further up
        OtherVersion,      // another cached version of its name goes to the same place in this run: stays
        SeveralVersions,   // required, and cached in several versions of which none was chosen: stays
        MovedAlready,      // moved earlier in the same run
        DeletedAlready,    // deleted earlier in the same run (the same line ticked twice)
        Return,            // the installed `source` moves into the cache as `destination`, its line added
        CachedAlready,     // Return: the cache holds its GUID already (a file or a line): both stay
        NotInstalled,      // Return: the game's folders hold no copy of it
        NoGuid,            // Return: the installed copy is no package with a GUID
        CachedUnreadable,  // Return: the cached copy's tables can't be read, so its version can't be told
        RemoveLine,        // Tidy: a line whose cached file is gone leaves cache.ini
        DeleteOrphan,      // Tidy: a cached file without a line (`source`) is deleted
    };
    What what = What::Move;
    std::string name;                 // the package item's text, the requirement's, Return's file name
    std::string key;                  // the key of its line (Return: the GUID it is cached under)
    std::optional<std::size_t> item;  // its package item in the listing, where it has one
    // The question this step follows: the plan's questions counted from 0, one for each ticked
    // package item (Tidy: for each chosen problem). The steps of one question stand together.
    std::size_t question = 0;
    std::optional<std::size_t> requiredBy;  // the package item that requires it; none when ticked
    std::size_t depth = 0;                  // 0 for a ticked package, 1 for what it requires, ...
    std::size_t versions = 1;               // Move, SeveralVersions: how many cached versions its name has
    // Delete, Move, DeleteOrphan: the cached file; Return: the installed one; RemoveLine: the gone one.
    std::string source;
    std::string destinationFolder;  // Move: the game's folder for its kind
    std::string destination;        // Move, Return: the file it becomes
    bool replaces = false;          // Move: a file is there already, so the command asks

    // True for a step that changes something; the others pass a package over.
    bool Acts() const
    {
        return what == What::Delete || what == What::Move || what == What::Return || what == What::RemoveLine ||
               what == What::DeleteOrphan;
    }
    // The entry line the step was planned from: key=name.
    std::string Line() const { return key + "=" + name; }
};

struct CommandPlan {
    enum class Command {
        Delete,
        Permanent,
        Return,
        Tidy,
    };
    Command command = Command::Delete;
    // The steps of each question in turn (those of one question share `question`): the question is
    // asked before them.
    std::vector<PlannedStep> steps;
};

}  // namespace thld
