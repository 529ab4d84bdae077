#include <windows.h>

#include <algorithm>

#include "platform/file.h"
#include "platform/file_fault.h"
#include "platform/utf16.h"

namespace thld {

namespace {
HANDLE H(const FileHandle& handle) { return reinterpret_cast<HANDLE>(handle.Native()); }
FileHandle Own(HANDLE handle) { return FileHandle(reinterpret_cast<std::intptr_t>(handle)); }
}  // namespace

InputFile InputFile::Open(const std::string& path)
{
    detail::CheckFault(DiskStep::OpenRead, path, true);
    FileHandle handle = Own(
        ::CreateFileW(WideOf(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) {
        DWORD error = ::GetLastError();
        DWORD attributes = ::GetFileAttributesW(WideOf(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            throw FileError(FileErrorCause::NotRegularFile, path);
        ThrowFileError(error, path);
    }
    // A pipe, the console or a device (NUL, COM1, \\.\pipe\...) opens like a file: only a file on a
    // disk is read.
    if (::GetFileType(H(handle)) != FILE_TYPE_DISK)
        throw FileError(FileErrorCause::NotRegularFile, path);
    return InputFile(std::move(handle), path);
}

// The length and the time are asked once: the unshared open keeps both from changing. Both come
// from queries of the open handle that Wine answers without a request to its server.
std::uint64_t InputFile::Length() const
{
    if (length_ == kLengthNotKnown) {
        FILE_STANDARD_INFO standard{};
        FILE_BASIC_INFO basic{};
        if (!::GetFileInformationByHandleEx(H(handle_), FileStandardInfo, &standard, sizeof standard) ||
            !::GetFileInformationByHandleEx(H(handle_), FileBasicInfo, &basic, sizeof basic))
            ThrowFileError(::GetLastError(), path_);
        // 100-nanosecond steps since 1601-01-01, of which 11644473600 seconds lie before 1970.
        const std::uint64_t steps = static_cast<std::uint64_t>(basic.LastWriteTime.QuadPart);
        modified_ = static_cast<std::int64_t>(steps / 10'000'000) - 11'644'473'600LL;
        length_ = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
    }
    return length_;
}

std::int64_t InputFile::ModifiedTime() const
{
    Length();
    return modified_;
}

std::size_t InputFile::ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const
{
    detail::CheckFault(DiskStep::Read, path_, true);
    // Reads through the file pointer: a read given a place of its own (OVERLAPPED) costs Wine a
    // further request to its server each time. The pointer moves only where a read does not go on
    // from the last one.
    if (offset != position_) {
        LARGE_INTEGER at{};
        at.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(H(handle_), at, nullptr, FILE_BEGIN))
            ThrowFileError(::GetLastError(), path_);
        position_ = offset;
    }
    auto* out = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(H(handle_), out + done, chunk, &got, nullptr)) {
            DWORD error = ::GetLastError();
            position_ = kLengthNotKnown;  // not known after a failed read
            if (error == ERROR_HANDLE_EOF)
                break;
            ThrowFileError(error, path_);
        }
        position_ += got;
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

OutputFile OutputFile::Create(const std::string& path, Mode mode)
{
    detail::CheckFault(DiskStep::Create, path, true);
    if (mode == Mode::ReplaceLeftover) {
        // A link of that name goes itself: DeleteFileW removes a reparse point, not what it leads to.
        const DWORD attributes = ::GetFileAttributesW(WideOf(path).c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            !::DeleteFileW(WideOf(path).c_str()))
            ThrowFileError(::GetLastError(), path);
    }
    FileHandle handle = Own(::CreateFileW(WideOf(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!handle.IsOpen())
        ThrowFileError(::GetLastError(), path);
    return OutputFile(std::move(handle), path);
}

void OutputFile::Write(std::string_view bytes)
{
    detail::CheckFault(DiskStep::Write, path_, true);
    while (!bytes.empty()) {
        DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(H(handle_), bytes.data(), chunk, &put, nullptr))
            ThrowFileError(::GetLastError(), path_);
        bytes.remove_prefix(put);
    }
}

void OutputFile::Flush()
{
    detail::CheckFault(DiskStep::Flush, path_, true);
    if (!::FlushFileBuffers(H(handle_)))
        ThrowFileError(::GetLastError(), path_);
}

void RemoveFile(const std::string& path)
{
    detail::CheckFault(DiskStep::Remove, path, true);
    if (!::DeleteFileW(WideOf(path).c_str()))
        ThrowFileError(::GetLastError(), path);
}

void MoveFileNoReplace(const std::string& from, const std::string& to)
{
    detail::CheckFault(DiskStep::Move, from, true);
    if (!::MoveFileW(WideOf(from).c_str(), WideOf(to).c_str()))
        ThrowFileError(::GetLastError(), from);
}

void ReplaceFileAtomically(const std::string& from, const std::string& to)
{
    detail::CheckFault(DiskStep::Replace, from, true);
    if (!::MoveFileExW(WideOf(from).c_str(), WideOf(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        ThrowFileError(::GetLastError(), from);
}

// Windows opens by full path: a folder's handle would not spare the file system's filters.
HeldFolder::HeldFolder(const std::string&) {}

InputFile InputFile::OpenIn(const HeldFolder&, const std::string&, const std::string& path) { return Open(path); }

void InputFile::WillNeed(std::uint64_t, std::size_t) const {}

void InputFile::OnlyWhatIsAsked() const {}

// Windows doesn't tell whether a read waited for the disk.
InputFile::Read InputFile::ReadAtTellingSource(std::uint64_t offset, void* buffer, std::size_t count) const
{
    return {ReadAt(offset, buffer, count), Source::NotKnown};
}

}  // namespace thld
