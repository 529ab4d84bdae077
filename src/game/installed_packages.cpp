#include "game/installed_packages.h"

#include <algorithm>
#include <vector>

#include "platform/file.h"

namespace thld {

namespace {

// Compares as many bytes as the files had when they were opened, never more.
bool SameBytes(const InputFile& a, const InputFile& b)
{
    constexpr std::size_t kChunk = 64 * 1024;
    const std::uint64_t length = a.Length();
    if (length != b.Length())
        return false;
    std::vector<char> left(kChunk), right(kChunk);
    for (std::uint64_t offset = 0; offset < length; offset += kChunk) {
        std::size_t gotLeft = a.ReadAt(offset, left.data(), kChunk);
        std::size_t gotRight = b.ReadAt(offset, right.data(), kChunk);
        if (gotLeft != gotRight ||
            !std::equal(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(gotLeft), right.begin()))
            return false;
        if (gotLeft < kChunk)
            return true;
    }
    return true;
}

}  // namespace

const char* InstalledCopyWord(InstalledCopy copy)
{
    switch (copy) {
    case InstalledCopy::Identical:
        return "identical";
    case InstalledCopy::SameVersion:
        return "same version";
    case InstalledCopy::Different:
        return "different";
    case InstalledCopy::None:
        break;
    }
    return "";
}

InstalledPackages::InstalledPackages(const std::string& gameFolder) : packages_(gameFolder) {}

InstalledPackages::Found InstalledPackages::Check(const PackageItem& item, const std::string& cachedFile) const
{
    const std::optional<Destination> destination = packages_.DestinationOf(item.kind, item.name);
    if (!destination)
        return {};
    const std::optional<std::string> file = packages_.FileAt(*destination);
    if (!file)
        return {};
    Found found{InstalledCopy::Different, *file};
    std::optional<InputFile> there;
    try {
        there.emplace(InputFile::Open(*file));
    } catch (const FileError& error) {
        if (error.Cause() == FileErrorCause::NotRegularFile) {
            found.copy = InstalledCopy::None;
            found.notRegularFile = true;
        }
        return found;
    }
    auto cached = InputFile::OpenUnshared(cachedFile);
    if (!cached)
        return found;
    if (SameBytes(*there, *cached)) {
        found.copy = InstalledCopy::Identical;
        return found;
    }
    cached.reset();  // on Windows no second open of the same file succeeds while one is held
    // Other bytes of one version load as well: the same GUID, with both packages' tables whole.
    const PackageSummary installed = SummaryReader().Read(*there);
    if (item.summary.tables == PackageTables::Read && installed.tables == PackageTables::Read && item.summary.guid &&
        installed.guid == item.summary.guid)
        found.copy = InstalledCopy::SameVersion;
    return found;
}

}  // namespace thld
