#include "game/game_packages.h"

#include <algorithm>

#include "cache/index_text.h"
#include "game/installation.h"
#include "platform/code_page.h"
#include "platform/folder.h"
#include "platform/plain_file_name.h"

namespace thld {

namespace {

// Today's three folders, by kind, for values without a package extension.
struct KindFolder {
    PackageKind kind;
    std::string_view folder;
    std::string_view extension;
};
constexpr KindFolder kKindFolders[] = {
    {kind::Map, "Maps", ".unr"},
    {kind::Script, "System", ".u"},
    {kind::Textures, "Textures", ".utx"},
};

std::string_view ExtensionOf(std::string_view value)
{
    const std::size_t dot = value.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : value.substr(dot);
}

}  // namespace

GamePackages::GamePackages(const std::string& gameFolder) : gameFolder_(gameFolder)
{
    if (gameFolder.empty())
        return;
    paths_ = PackagePathsOf(gameFolder);
    auto add = [&](const std::string& path) {
        for (std::size_t i = 0; i < folders_.size(); ++i)
            if (folders_[i].path == path)
                return i;
        Folder& folder = folders_.emplace_back();
        folder.path = path;
        for (const std::string& name : FolderEntries(path))
            folder.files.emplace(UpperAsciiText(name), name);
        return folders_.size() - 1;
    };
    for (const PackagePath& path : paths_)
        folderOfPath_.push_back(add(path.folder));
    for (const KindFolder& kindFolder : kKindFolders)
        add(GameSubfolder(gameFolder, kindFolder.folder));
}

bool GamePackages::IsFolderOfGame(const std::string& folder) const
{
    if (!folder.starts_with(gameFolder_) || folder.size() < gameFolder_.size() + 2)
        return false;
    const std::string_view name =
        std::string_view(folder).substr(gameFolder_.size(), folder.size() - gameFolder_.size() - 1);
    return IsPlainFileName(name);
}

const GamePackages::Folder* GamePackages::FolderOf(const std::string& path) const
{
    for (const Folder& folder : folders_)
        if (folder.path == path)
            return &folder;
    return nullptr;
}

std::optional<Destination> GamePackages::DestinationOf(PackageKind kind, std::string_view value) const
{
    if (gameFolder_.empty())
        return std::nullopt;
    const std::string_view extension = ExtensionOf(value);
    if (!extension.empty()) {
        for (const PackagePath& path : paths_)
            if (IsFolderOfGame(path.folder) && !path.extension.empty() &&
                EqualIgnoringAsciiCase(path.extension, extension))
                return Destination{path.folder, path.folder + std::string(value)};
    }
    for (const KindFolder& kindFolder : kKindFolders) {
        if (kindFolder.kind != kind)
            continue;
        Destination destination;
        destination.folder = GameSubfolder(gameFolder_, kindFolder.folder);
        destination.path = destination.folder + PackageNameOf(value) + std::string(kindFolder.extension);
        return destination;
    }
    return std::nullopt;
}

std::optional<std::string> GamePackages::FileAt(const Destination& destination) const
{
    const Folder* folder = FolderOf(destination.folder);
    if (!folder)
        return std::nullopt;
    const auto found = folder->files.find(UpperAsciiText(destination.path.substr(destination.folder.size())));
    if (found == folder->files.end())
        return std::nullopt;
    return folder->path + found->second;
}

std::optional<std::string> GamePackages::Find(std::string_view packageName) const
{
    const std::string upper = UpperAsciiText(packageName);
    for (std::size_t i = 0; i < paths_.size(); ++i) {
        const Folder& folder = folders_[folderOfPath_[i]];
        const std::string& extension = paths_[i].extension;
        if (!extension.empty()) {
            const auto found = folder.files.find(upper + UpperAsciiText(extension));
            if (found != folder.files.end())
                return folder.path + found->second;
            continue;
        }
        // A line that takes any extension ("*.*"): a file of that name with one extension.
        for (auto at = folder.files.lower_bound(upper + "."); at != folder.files.end(); ++at) {
            if (!at->first.starts_with(upper + "."))
                break;
            if (at->first.find('.', upper.size() + 1) == std::string::npos)
                return folder.path + at->second;
        }
    }
    return std::nullopt;
}

std::vector<std::string> GamePackages::Folders() const
{
    std::vector<std::string> folders;
    auto add = [&](const std::string& folder) {
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    for (const PackagePath& path : paths_)
        if (IsFolderOfGame(path.folder) && !path.extension.empty())
            add(path.folder);
    if (!gameFolder_.empty())
        for (const KindFolder& kindFolder : kKindFolders)
            add(GameSubfolder(gameFolder_, kindFolder.folder));
    return folders;
}

}  // namespace thld
