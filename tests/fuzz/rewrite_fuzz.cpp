// The rewrite on any cache.ini and any line number, with or without one failing disk step: cache.bak
// must be the former file and cache.ini the former file without exactly that entry line (the index
// stripped and in CR LF lines); after a failure cache.ini is either that, or the former file again;
// nothing else may be left in the folder. A line added and then removed again must leave the index
// as a rewrite that removes nothing does.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cache/index_rewrite.h"
#include "fuzz_folder.h"
#include "index_model.h"
#include "platform/file.h"
#include "platform/file_fault.h"

namespace thld::fuzz {
namespace {

constexpr std::string_view kOldBackup = "the backup of an earlier rewrite\r\n";

// Makes the disk step of the given count (from 1) fail; 0 fails none.
void FailStep(int failing)
{
    static int seen = 0;
    seen = 0;
    if (failing == 0) {
        SetDiskFaultHook({});
        return;
    }
    SetDiskFaultHook([failing](DiskStep, const std::string&) -> std::optional<FileErrorCause> {
        return ++seen == failing ? std::optional(FileErrorCause::DiskFull) : std::nullopt;
    });
}

// The first two bytes choose the line number and whether an older cache.bak is there, the third
// which disk step fails.
void CheckOneInput(std::uint16_t choice, int failing, std::string_view bytes)
{
    const std::string& folder = FuzzFolder();
    EmptyFuzzFolder();
    WriteBytes(folder + "cache.ini", bytes);
    const bool olderBackup = choice & 1;
    if (olderBackup)
        WriteBytes(folder + "cache.bak", kOldBackup);
    const ModelIndex model = ModelOf(bytes);
    const int lineNumber = static_cast<int>((choice >> 1) % (model.lines.size() + 4)) - 2;
    const bool entry =
        std::find(model.entryLines.begin(), model.entryLines.end(), lineNumber) != model.entryLines.end();

    FailStep(failing);
    std::optional<RemovedLine> result;
    try {
        result = RemoveEntryLine(folder, lineNumber);
    } catch (const FileError&) {
        // Which cause comes out depends on the step: a failed look at cache.bak shows as a refused move.
    }
    FailStep(0);

    const std::string index = ReadBytes(folder + "cache.ini");
    const std::vector<std::string> names = FolderNames();
    const bool backupThere = std::find(names.begin(), names.end(), "cache.bak") != names.end();
    const std::string backup = backupThere ? ReadBytes(folder + "cache.bak") : std::string();
    Require(names.size() == (backupThere ? 2u : 1u), "files left behind");
    const std::string expected = model.header < 0 ? std::string(bytes) : Rewritten(model, entry ? lineNumber : -1);

    using Outcome = RemovedLine::Outcome;
    if (result && result->outcome != Outcome::Unreadable && result->outcome != Outcome::NotCreated) {
        if (model.header < 0) {
            Require(result->text.empty() && result->outcome == Outcome::NoHeader, "a result without a header");
            Require(index == bytes, "cache.ini changed without a header");
            Require(backupThere == olderBackup && (!olderBackup || backup == kOldBackup), "cache.bak changed");
            return;
        }
        Require(index == expected, "new cache.ini");
        Require(backupThere && backup == bytes, "cache.bak is not the former file");
        Require(result->outcome == (entry ? Outcome::Removed : Outcome::NoSuchLine), "removed or not");
        Require(result->text == Stripped(model.lines[entry ? lineNumber : model.header].text), "result text");
        return;
    }
    Require(failing != 0, "a failure without a failing step");
    Require(index == bytes || (index == expected && backupThere && backup == bytes), "cache.ini half done");
    if (result) {
        Require(result->text.empty() && index == bytes, "a change that reports a failure");
        Require(backupThere == olderBackup && (!olderBackup || backup == kOldBackup), "cache.bak changed");
    }
}

void CheckAddThenRemove(std::string_view bytes)
{
    const std::string& folder = FuzzFolder();
    EmptyFuzzFolder();
    WriteBytes(folder + "cache.ini", bytes);
    const ModelIndex model = ModelOf(bytes);
    const AddedLine added = AddEntryLine(folder, "FUZZKEY=Added.u");
    if (added != AddedLine::Added) {
        Require(model.header < 0 || added == AddedLine::NotWritable, "a line not added to an index");
        Require(ReadBytes(folder + "cache.ini") == bytes, "cache.ini changed though nothing was added");
        return;
    }
    const ModelIndex grown = ModelOf(ReadBytes(folder + "cache.ini"));
    Require(!grown.entryLines.empty() && Stripped(grown.lines[grown.entryLines.back()].text) == "FUZZKEY=Added.u",
            "the added line is the last entry line");
    const RemovedLine removed = RemoveEntryLine(folder, grown.entryLines.back());
    Require(removed.outcome == RemovedLine::Outcome::Removed, "the added line is removed");
    Require(ReadBytes(folder + "cache.ini") == Rewritten(model, -1), "added and removed: the former index");
}

}  // namespace
}  // namespace thld::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    auto choice = static_cast<std::uint16_t>(data[0] | (data[1] << 8));
    int failing = data[2] % 16;  // the rewrite takes at most 10 disk steps
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 3, size - 3);
    thld::fuzz::CheckOneInput(choice, failing, bytes);
    thld::fuzz::CheckAddThenRemove(bytes);
    return 0;
}
