#include "cache/cache_index.h"
#include "package/package_kind.h"
#include "platform/file.h"

namespace thld {

std::string SizeTextOf(std::uint64_t bytes) { return std::to_string(bytes >> 10) + "k bytes"; }

SizeText GetSizeText(const std::string& cacheFolder, const std::string& key)
{
    auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, key));
    if (!file)
        return SizeText{"0", 0};
    std::uint64_t bytes = file->Length();
    return SizeText{SizeTextOf(bytes), bytes};
}

}  // namespace thld
