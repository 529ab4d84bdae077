#include "game/installed_packages.h"

#include <array>
#include <vector>

#include "cache/index_text.h"
#include "game/installation.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

struct PackageFolder {
    std::string_view folder;
    std::string_view extension;
};
constexpr std::array<PackageFolder, 5> kPackageFolders{{
    {"Maps", ".unr"},
    {"System", ".u"},
    {"Textures", ".utx"},
    {"Sounds", ".uax"},
    {"Music", ".umx"},
}};

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

InstalledPackages::InstalledPackages(const std::string& gameFolder)
{
    for (const PackageFolder& package : kPackageFolders) {
        const std::string folder = GameSubfolder(gameFolder, package.folder);
        for (const std::string& name : FolderEntries(folder))
            files_.emplace(UpperAsciiText(name), folder + name);
    }
}

InstalledPackages::Found InstalledPackages::Check(const PackageItem& item, const std::string& cachedFile) const
{
    const std::string_view name = PackageNameIn(item.name);
    const std::string_view extension = std::string_view(item.name).substr(name.size());
    for (const PackageFolder& package : kPackageFolders) {
        if (!extension.empty() && !EqualIgnoringAsciiCase(extension, package.extension))
            continue;
        auto installed = files_.find(UpperAsciiText(std::string(name) + std::string(package.extension)));
        if (installed == files_.end())
            continue;
        Found found{InstalledCopy::Different, installed->second};
        std::optional<InputFile> there;
        try {
            there.emplace(InputFile::Open(installed->second));
        } catch (const FileError& error) {
            if (error.Cause() == FileErrorCause::NotRegularFile) {
                found.copy = InstalledCopy::None;
                found.notRegularFile = true;
                return found;
            }
        }
        auto cached = InputFile::OpenUnshared(cachedFile);
        if (there && cached && SameBytes(*there, *cached))
            found.copy = InstalledCopy::Identical;
        return found;
    }
    return {};
}

}  // namespace thld
