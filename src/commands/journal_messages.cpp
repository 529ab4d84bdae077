#include "commands/journal_messages.h"

namespace thld::messages {

namespace {

const char* FaultWords(JournalFault fault)
{
    switch (fault) {
    case JournalFault::None:
    case JournalFault::NotWhole:
        return "it is not a whole record";
    case JournalFault::KeyNotPlain:
        return "its line has no key that names a plain file";
    case JournalFault::NotCachedFile:
        return "its cached file is not the file of its line's key in this cache folder";
    case JournalFault::NotPackageFolder:
        return "its file in the game lies in no package folder of the game folder";
    case JournalFault::NotPackageName:
        return "its file in the game is not named as its line's package";
    case JournalFault::NotAsideName:
        return "the name a file waits under is not one a step gives";
    case JournalFault::FieldsOfOtherKind:
        return "it holds paths its kind of step never writes";
    case JournalFault::KeyOfOtherLine:
        return "cache.ini holds its key in another line";
    case JournalFault::Repeated:
        return "it names one cached file twice";
    case JournalFault::Link:
        return "it is a link";
    case JournalFault::NotRegularFile:
        return "it is not a regular file";
    }
    return "it is not a record this program writes";
}

}  // namespace

std::string JournalFindingText(const JournalFinding& found)
{
    using Outcome = JournalFinding::Outcome;
    const std::string change = "A change that a program ended midway, recorded in " + found.journal + ",";
    const std::string done = found.finished ? " was finished" : " was undone";
    switch (found.outcome) {
    case Outcome::None:
        return {};
    case Outcome::Settled:
        return change + done + ".";
    case Outcome::SettledInRecordedGame:
        return change + done + " in the game folder it names, " + found.recordedGame + ", as no game folder was given.";
    case Outcome::SetAside:
        return found.journal + " is not a record of a step of this cache (" + FaultWords(found.fault) +
               "): it was set aside as " + found.setAsideAs + ", and nothing it names was changed.";
    case Outcome::OtherGame:
        return found.journal + " records a change in another game folder, " + found.recordedGame +
               ", that a program ended midway. Nothing was changed. Open the cache with that game folder to "
               "settle it, or, if that game folder is gone, remove the record.";
    case Outcome::GameNotKnown:
        return found.journal + " records a change in the game folder " + found.recordedGame +
               ", that a program ended midway; that folder can't be checked here. Nothing was changed. Open the "
               "cache with that game folder to settle it, or, if that game folder is gone, remove the record.";
    }
    return {};
}

}  // namespace thld::messages
