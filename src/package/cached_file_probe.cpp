#include "package/cached_file_probe.h"

#include <algorithm>
#include <array>

#include "platform/file.h"

namespace thld {

namespace {
constexpr std::size_t kFirstReadSize = 4 * 1024;
}  // namespace

CachedFileProbe ProbeCachedFile(const std::string& cacheFolder, const std::string& key, RegionScanner& scanner,
                                std::optional<std::vector<std::size_t>>& found)
{
    found.reset();
    if (key.empty())
        return {kind::Unknown, std::nullopt};
    auto file = InputFile::OpenUnshared(CachedFilePath(cacheFolder, key));
    if (!file)
        return {kind::NotAvailable, std::nullopt};
    // The first read takes the kind's window and, for a map or script package, the start of its
    // region (the whole of most script packages' regions): a few KiB more cost less than a read.
    // It is never longer than the scanner's reads, so that small test reads stay small.
    std::array<unsigned char, kFirstReadSize> head;
    std::size_t wanted = std::clamp(scanner.ReadSize(), kKindWindowSize, kFirstReadSize);
    std::size_t got = file->ReadAt(0, head.data(), wanted);
    PackageKind kind = KindOfWindow(head.data(), std::min(got, kKindWindowSize));
    if (kind == kind::Map || kind == kind::Script)
        found = scanner.Scan(*file, head.data(), got, got < wanted);
    return {kind, file->Length()};
}

}  // namespace thld
