#pragma once
// The file operations the core needs, and nothing more. Every path is the program's text (UTF-8 on
// Windows, where the system's wide functions take it; bytes elsewhere); folder texts end in
// kPathSeparator and paths are built by plain concatenation.
// Failures raise FileError with their cause, except where a function says otherwise. Every disk
// step asks the test hook of file_fault.h first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_error.h"
#include "platform/file_handle.h"

namespace thld {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A folder held open while many of its files are opened by name (InputFile::OpenIn), so that the
// system doesn't walk the folder's path again for each one. Where it can't be held (Windows, or the
// open fails), files are opened by their full paths.
class HeldFolder {
public:
    explicit HeldFolder(const std::string& folder);

private:
    friend class InputFile;
    FileHandle handle_;
};

// A regular file opened for reading with no sharing: on Windows the open fails while any other
// handle to the file is open, and no other open succeeds while this one is held. The open never
// waits (a FIFO without a writer, a terminal) and takes nothing but a regular file on a disk: a
// folder, FIFO, device or socket is refused before a byte is read.
class InputFile {
public:
    // Opens an existing regular file, raising FileError with the cause when it can't
    // (FileErrorCause::NotRegularFile for anything that is not a regular file).
    static InputFile Open(const std::string& path);
    // The same, with nothing when the open fails for any reason.
    static std::optional<InputFile> OpenUnshared(const std::string& path);
    // Open() of `path`, the file `name` (a plain file name) of `folder`: by its name alone where the
    // folder is held.
    static InputFile OpenIn(const HeldFolder& folder, const std::string& name, const std::string& path);

    // The file's length, as it was when the file was opened (asked once, whatever the calls).
    std::uint64_t Length() const;
    // When the file was last written, in seconds since 1970-01-01 UTC, asked with the length.
    std::int64_t ModifiedTime() const;
    // Reads up to count bytes at offset; fewer only at the end of the file. Callers bound their reads
    // by Length(): a file that grows meanwhile is not followed. One file is read by one thread at a
    // time.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const;
    // Where the bytes of a read came from, as far as the system tells.
    enum class Source {
        Memory,    // every byte asked for was in memory already
        Disk,      // some had to come from the disk
        NotKnown,  // the system can't tell (Windows, macOS, some file systems)
    };
    struct Read {
        std::size_t count = 0;
        Source source = Source::NotKnown;
    };
    // ReadAt, telling whether the bytes were in memory: on Linux a first try takes only what the
    // page cache holds, and the rest is then read as ReadAt does.
    Read ReadAtTellingSource(std::uint64_t offset, void* buffer, std::size_t count) const;
    // Asks the system to start reading these bytes into memory, without waiting for them (nothing
    // where it can't be asked).
    void WillNeed(std::uint64_t offset, std::size_t count) const;
    // Asks the system to read from the disk only the bytes asked for from now on, not the pages
    // after them as well (nothing where it can't be asked).
    void OnlyWhatIsAsked() const;
    const std::string& Path() const { return path_; }

private:
    static constexpr std::uint64_t kLengthNotKnown = static_cast<std::uint64_t>(-1);
    // The checks after an open that the system answered (POSIX).
    static InputFile Checked(FileHandle handle, const std::string& path);
    InputFile(FileHandle handle, std::string path, std::uint64_t length = kLengthNotKnown, std::int64_t modified = 0)
        : handle_(std::move(handle)), path_(std::move(path)), length_(length), modified_(modified)
    {}

    FileHandle handle_;
    std::string path_;
    // Learnt by the open (POSIX) or by the first question (Windows): no other program can write the
    // file while the unshared handle is held, so one answer stays true.
    mutable std::uint64_t length_;   // kLengthNotKnown until learnt
    mutable std::int64_t modified_;  // when length_ is known
    // Where the system's file pointer stands (Windows): a read from there needs no seek.
    mutable std::uint64_t position_ = 0;
};

// True when the file can be opened for reading without sharing (it is closed again at once): it
// exists, is a regular file, may be read, and no other program holds it open (on Windows).
bool CanOpenUnshared(const std::string& path);

// A file created for writing, not shared while open. It is always a new file: the open never
// follows a link at the path, nor writes into a file that was there.
class OutputFile {
public:
    enum class Mode {
        ReplaceLeftover,  // a file of that name (or a link, itself) is removed first, as a leftover
        CreateNew,        // anything of that name refuses the create
    };
    static OutputFile Create(const std::string& path, Mode mode = Mode::ReplaceLeftover);

    void Write(std::string_view bytes);
    // Hands everything written so far to the disk.
    void Flush();
    // Closes the file, raising the error of a failed close.
    void Close();

private:
    OutputFile(FileHandle handle, std::string path) : handle_(std::move(handle)), path_(std::move(path)) {}

    FileHandle handle_;
    std::string path_;
};

void RemoveFile(const std::string& path);

// Moves (renames) a file; fails when `to` exists already, never replacing it.
void MoveFileNoReplace(const std::string& from, const std::string& to);

// Puts `from` in the place of `to` in one step: a reader sees either the old `to` or the new one,
// never neither, also when the program dies meanwhile. Both lie in the same folder.
void ReplaceFileAtomically(const std::string& from, const std::string& to);

}  // namespace thld
