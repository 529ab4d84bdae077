#include "floor.h"

#include <algorithm>
#include <stdexcept>

#include "cache/cached_file.h"
#include "package/package_kind.h"
#include "platform/file.h"

namespace thld::bench {

std::uint64_t ReadFloor(const std::string& cacheFolder, const std::vector<LayoutLine>& layout)
{
    static std::vector<std::uint8_t> buffer;
    std::uint64_t total = 0;
    for (const LayoutLine& line : layout) {
        auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, line.key));
        if (!file)
            throw std::runtime_error("cannot open the cached file of " + line.key);
        std::size_t wanted = kKindWindowSize;
        if (line.kind != 'T')
            wanted = std::max<std::size_t>(wanted, static_cast<std::size_t>(line.region));
        if (buffer.size() < wanted)
            buffer.resize(wanted);
        total += file->ReadAt(0, buffer.data(), wanted);
    }
    return total;
}

}  // namespace thld::bench
