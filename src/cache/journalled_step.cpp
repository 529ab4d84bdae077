#include "cache/journalled_step.h"

#include "platform/anchored_folder.h"
#include "platform/durable_move.h"
#include "platform/file.h"

namespace thld {

namespace {

// Created new (a leftover of that name refuses it: a record is never overwritten), written whole and
// synced; when that fails nothing has begun and no record is left.
void WriteJournal(const std::string& cacheFolder, const std::vector<StepJournal>& journals)
{
    const std::string path = StepJournalPathOf(cacheFolder);
    bool created = false;
    try {
        OutputFile file = OutputFile::Create(path, OutputFile::Mode::CreateNew);
        created = true;
        file.Write(EncodeStepJournals(journals));
        file.Flush();
        file.Close();
        SyncFolder(cacheFolder);
    } catch (const FileError&) {
        try {
            if (created)
                RemoveFile(path);
        } catch (const FileError&) {}  // a record cut short is refused when read back
        throw;
    }
}

void RemoveJournal(const std::string& cacheFolder)
{
    RemoveFile(StepJournalPathOf(cacheFolder));
    SyncFolder(cacheFolder);
}

// After a step that is done and on the disk: the record goes without waiting for the disk. Should
// the system lose its removal, the next program finds a step that is done and only removes it; a
// new record of this run syncs the folder, and with it this removal, before its step begins.
void RemoveDoneJournal(const std::string& cacheFolder) { RemoveFile(StepJournalPathOf(cacheFolder)); }

// After a failure before the line changed: the files back as they were and the record gone. Should
// that fail too, the record stays for the next program, and the first error is the one reported.
void UndoQuietly(const std::string& cacheFolder, const JournalledStep& step,
                 const std::vector<CheckedJournal>& checked) noexcept
{
    try {
        if (step.release)
            step.release();
        for (auto record = checked.rbegin(); record != checked.rend(); ++record)
            SettleStep(*record, StepEnd::Undo);
        RemoveJournal(cacheFolder);
    } catch (const FileError&) {}
}

// After a failure once the line changed: the step finished as far as the disk lets it, and the
// record gone; what can't be done leaves the record for the next program. The first error is the
// one reported.
void CompleteQuietly(const std::string& cacheFolder, const std::vector<CheckedJournal>& checked) noexcept
{
    try {
        for (const CheckedJournal& record : checked)
            SettleStep(record, StepEnd::Complete);
        RemoveJournal(cacheFolder);
    } catch (const FileError&) {}
}

// Moves the file `fromName` of `from` to `toName` of `to`, or settles such a move: see SettleStep.
// `asideName` is where a file it replaced waits (empty when none).
void SettleMove(const AnchoredFolder& from, const std::string& fromName, const AnchoredFolder& to,
                const std::string& toName, const std::string& asideName, StepEnd end)
{
    using Entry = AnchoredFolder::Entry;
    const std::string copy = toName + ".tallyhold-new";
    if (to.At(copy) == Entry::File)
        to.Remove(copy);
    const bool replacing = !asideName.empty();
    if (end == StepEnd::Undo) {
        // Without a replaced file the place was free when the step began; with one, the file there
        // is the step's own only once that file has been taken aside.
        const bool placeIsOurs = !replacing || to.At(asideName) == Entry::File;
        if (placeIsOurs && to.At(toName) == Entry::File) {
            if (from.At(fromName) == Entry::None)
                to.MoveNoReplace(toName, from, fromName);
            else if (from.FileLength(fromName) == to.FileLength(toName))
                to.Remove(toName);  // a copy across file systems, the source still whole
        }
        if (replacing && to.At(asideName) == Entry::File && to.At(toName) == Entry::None)
            to.MoveNoReplace(asideName, to, toName);
        return;
    }
    if (from.At(fromName) == Entry::File && to.At(toName) == Entry::File &&
        from.FileLength(fromName) == to.FileLength(toName))
        from.Remove(fromName);
    if (replacing && to.At(asideName) == Entry::File)
        to.Remove(asideName);
}

}  // namespace

std::string StepJournalPathOf(const std::string& cacheFolder) { return cacheFolder + kStepJournalFileName; }

void SettleStep(const CheckedJournal& step, StepEnd end)
{
    using Entry = AnchoredFolder::Entry;
    const AnchoredFolder cache = AnchoredFolder::Open(step.cacheFolder);
    if (step.kind == StepJournal::Kind::Delete) {
        const std::string aside = step.cachedName + kAsideSuffix;
        // The file waited aside, or (a batch, where the system can tell beforehand that it can go)
        // under its own name, which only this record's line could claim: once the line is gone
        // either goes.
        if (end == StepEnd::Undo) {
            if (cache.At(step.cachedName) == Entry::None && cache.At(aside) == Entry::File)
                cache.MoveNoReplace(aside, cache, step.cachedName);
        } else {
            if (cache.At(aside) == Entry::File)
                cache.Remove(aside);
            if (cache.At(step.cachedName) == Entry::File)
                cache.Remove(step.cachedName);
        }
        return;  // the cache folder is synced with the record's removal, which must come after
    }
    const AnchoredFolder place = AnchoredFolder::Open(step.placeFolder);
    const std::string aside = step.replacing ? step.placeName + kAsideSuffix : std::string();
    if (step.kind == StepJournal::Kind::Return)
        SettleMove(place, step.placeName, cache, step.cachedName, aside, end);
    else
        SettleMove(cache, step.cachedName, place, step.placeName, aside, end);
    place.Sync();
    cache.Sync();
}

bool RunJournalledStep(const StepPlaces& places, const JournalledStep& step)
{
    std::vector<StepJournal> journals;
    std::vector<CheckedJournal> checked;
    for (const StepJournal& made : step.journals) {
        StepJournal journal = WithCanonicalFolders(made, places);
        JournalCheck check = CheckJournal(journal, places, places.gameFolder);
        if (check.fault != JournalFault::None) {
            const bool cached = check.fault == JournalFault::KeyNotPlain || check.fault == JournalFault::NotCachedFile;
            throw FileError(FileErrorCause::BadPath, cached ? journal.source : journal.destination);
        }
        journals.push_back(std::move(journal));
        checked.push_back(std::move(*check.step));
    }
    const std::string& cacheFolder = places.cacheFolder;
    WriteJournal(cacheFolder, journals);
    bool committed = false;
    try {
        step.act();
        for (const std::string& folder : step.actedFolders)
            SyncFolder(folder);
        committed = step.commit();
        if (!committed) {
            UndoQuietly(cacheFolder, step, checked);
            return false;
        }
        // From here on the step is done: what fails is finished at once where it can be, and otherwise
        // by the next program, from the record.
        SyncFolder(cacheFolder);  // the new cache.ini is on the disk before anything waits no more
        if (step.finish) {
            step.finish();
            // The cache folder's own removals are synced with the record's.
            for (const std::string& folder : step.actedFolders)
                if (folder != cacheFolder)
                    SyncFolder(folder);
        }
    } catch (const FileError&) {
        if (!committed)
            UndoQuietly(cacheFolder, step, checked);
        else
            CompleteQuietly(cacheFolder, checked);
        throw;
    }
    RemoveDoneJournal(cacheFolder);
    return true;
}

}  // namespace thld
