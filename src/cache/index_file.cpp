#include "cache/index_file.h"

#include "platform/file.h"

namespace thld {

std::optional<std::string> ReadIndexFile(const std::string& path)
{
    auto file = InputFile::OpenUnshared(path);
    if (!file)
        return std::nullopt;
    // One byte more than the length, so that a single read normally finds the end as well; a file
    // that grew meanwhile is read on to its end.
    std::size_t chunk = static_cast<std::size_t>(file->Length()) + 1;
    std::string bytes;
    for (;;) {
        std::size_t had = bytes.size();
        bytes.resize(had + chunk);
        std::size_t got = file->ReadAt(had, bytes.data() + had, chunk);
        bytes.resize(had + got);
        if (got < chunk)
            return bytes;
    }
}

std::string IndexPathOf(const std::string& cacheFolder) { return cacheFolder + kIndexFileName; }

}  // namespace thld
