#include "platform/durable_move.h"

#include <vector>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/path_parts.h"

namespace thld {

namespace {

constexpr std::size_t kCopyChunk = 1 << 20;

void RemoveQuietly(const std::string& path) noexcept
{
    try {
        RemoveFile(path);
    } catch (const FileError&) {
        // The error that led here is the one to report.
    }
}

// Writes a whole copy of `from` under `copy`, synced; FileError names `to` for what the destination
// side refuses, `from` for what reading refuses.
void CopyWhole(const std::string& from, const std::string& copy, const std::string& to)
{
    auto source = InputFile::OpenUnshared(from);
    if (!source)
        throw FileError(FileErrorCause::NotFound, from);
    std::optional<OutputFile> target;
    try {
        target.emplace(OutputFile::Create(copy, OutputFile::Mode::CreateNew));
    } catch (const FileError& e) {
        throw FileError(e.Cause(), to, e.SystemCode());
    }
    try {
        std::vector<char> buffer(kCopyChunk);
        const std::uint64_t length = source->Length();
        for (std::uint64_t offset = 0; offset < length;) {
            const std::size_t got = source->ReadAt(offset, buffer.data(), buffer.size());
            if (got == 0)
                throw FileError(FileErrorCause::EndOfFile, from);
            try {
                target->Write(std::string_view(buffer.data(), got));
            } catch (const FileError& e) {
                throw FileError(e.Cause(), to, e.SystemCode());
            }
            offset += got;
        }
        target->Flush();
        target->Close();
    } catch (...) {
        target.reset();
        RemoveQuietly(copy);
        throw;
    }
}

// After a refused move: the destination's folder is to blame when a file can't be made in it.
void BlameDestinationIfItRefuses(const std::string& from, const std::string& to)
{
    if (!PathExists(from))
        return;
    const std::string probe = CopyNameOf(to);
    if (PathExists(probe))
        return;
    try {
        OutputFile::Create(probe, OutputFile::Mode::CreateNew).Close();
    } catch (const FileError& refused) {
        throw FileError(refused.Cause(), to, refused.SystemCode());
    }
    RemoveQuietly(probe);
}

}  // namespace

std::string CopyNameOf(const std::string& to) { return to + ".tallyhold-new"; }

MoveResult MoveFileDurably(const std::string& from, const std::string& to)
{
    try {
        if (detail::RenameOnSameDevice(from, to))
            return MoveResult::Renamed;
    } catch (const FileError&) {
        BlameDestinationIfItRefuses(from, to);
        throw;
    }
    if (PathExists(to))
        throw FileError(FileErrorCause::AccessDenied, to);
    detail::RefuseUnremovable(from);
    const std::string copy = CopyNameOf(to);
    CopyWhole(from, copy, to);
    try {
        MoveFileNoReplace(copy, to);
    } catch (const FileError& e) {
        RemoveQuietly(copy);
        throw FileError(e.Cause(), to, e.SystemCode());
    }
    SyncFolder(FolderOf(to));
    return MoveResult::Copied;
}

}  // namespace thld
