#include "cache/cached_file.h"

namespace thld {

std::string CachedFilePath(const std::string& cacheFolder, const std::string& key)
{
    return cacheFolder + key + kCachedFileExtension;
}

PackageKind GetPackageKind(const std::string& cacheFolder, const std::string& key)
{
    if (!IsPlainFileName(key))
        return kind::Unknown;
    return KindOfFile(CachedFilePath(cacheFolder, key));
}

}  // namespace thld
