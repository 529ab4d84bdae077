#include "cache/index_file.h"

#include "platform/file.h"

namespace thld {

std::optional<std::string> ReadIndexFile(const std::string& path)
{
    std::optional<InputFile> file;
    try {
        file.emplace(InputFile::Open(path));
    } catch (const FileError& error) {
        // A FIFO or a device in its place is said as what it is; any other failed open is the
        // caller's "can't be read".
        if (error.Cause() == FileErrorCause::NotRegularFile)
            throw;
        return std::nullopt;
    }
    if (file->Length() > kMostIndexBytes)
        throw FileError(FileErrorCause::TooLarge, path);
    // As long as the open saw it: a file that grows meanwhile is not followed.
    std::string bytes(static_cast<std::size_t>(file->Length()), '\0');
    bytes.resize(file->ReadAt(0, bytes.data(), bytes.size()));
    return bytes;
}

std::string IndexPathOf(const std::string& cacheFolder) { return cacheFolder + kIndexFileName; }

}  // namespace thld
