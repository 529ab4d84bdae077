#include "package/cached_file_probe.h"

#include <array>

#include "platform/file.h"

namespace thld {

CachedFileProbe ProbeCachedFile(const std::string& cacheFolder, const std::string& key, RegionScanner& scanner,
                                std::optional<std::vector<std::size_t>>& found)
{
    found.reset();
    if (key.empty())
        return {kind::Unknown, std::nullopt};
    auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, key));
    if (!file)
        return {kind::NotAvailable, std::nullopt};
    std::array<unsigned char, kKindWindowSize> window{};
    std::size_t got = file->ReadAt(0, window.data(), window.size());
    PackageKind kind = KindOfWindow(window.data(), got);
    if (kind == kind::Map || kind == kind::Script)
        found = scanner.Scan(*file, window.data(), got, got < window.size());
    return {kind, file->Length()};
}

}  // namespace thld
