#include "game/package_paths.h"

#include "game/game_paths.h"
#include "game/game_settings.h"
#include "game/installation.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr PathStyle kStyle = kPathSeparator == '\\' ? PathStyle::Windows : PathStyle::Posix;

// "../Maps/*.unr" as a folder (from the System folder) and an extension; nothing of a pattern that
// names no files by their extension ("../Help/UnrealTournament.ini").
std::optional<PackagePath> PathOf(const std::string& systemFolder, std::string_view value)
{
    const std::size_t cut = value.find_last_of("/\\");
    const std::string_view pattern = cut == std::string_view::npos ? value : value.substr(cut + 1);
    const std::string_view folder = cut == std::string_view::npos ? std::string_view() : value.substr(0, cut);
    if (!pattern.starts_with("*"))
        return std::nullopt;
    PackagePath path;
    path.folder = ResolveFolderPath(systemFolder, folder, kStyle);
    if (kStyle == PathStyle::Posix)
        path.folder = FolderIgnoringCase(path.folder, kStyle);
    if (pattern != "*" && pattern != "*.*") {
        if (!pattern.starts_with("*.") || pattern.find_first_of("*?", 1) != std::string_view::npos)
            return std::nullopt;
        path.extension = pattern.substr(1);
    }
    return path;
}

}  // namespace

std::vector<PackagePath> PackagePathsOf(const std::string& gameFolder)
{
    const std::string systemFolder = GameSubfolder(gameFolder, "System");
    const GameSetting setting = ReadGameSetting(systemFolder + kGameSettingsFileName, "Core.System", "Paths");
    std::vector<PackagePath> paths;
    for (const std::string& value : setting.values)
        if (auto path = PathOf(systemFolder, value))
            paths.push_back(std::move(*path));
    if (paths.empty())
        for (std::string_view standard :
             {"../Maps/*.unr", "../System/*.u", "../Textures/*.utx", "../Sounds/*.uax", "../Music/*.umx"})
            paths.push_back(*PathOf(systemFolder, standard));
    return paths;
}

PackagesOnPaths::PackagesOnPaths(const std::vector<PackagePath>& paths)
{
    for (const PackagePath& path : paths) {
        for (const std::string& name : FolderEntries(path.folder)) {
            const std::size_t dot = name.rfind('.');
            const std::string_view extension =
                dot == std::string::npos ? std::string_view() : std::string_view(name).substr(dot);
            if (!path.extension.empty() && !EqualIgnoringAsciiCase(extension, path.extension))
                continue;
            names_.insert(UpperAsciiText(dot == std::string::npos ? name : name.substr(0, dot)));
        }
    }
}

bool PackagesOnPaths::Holds(std::string_view packageName) const
{
    return names_.count(UpperAsciiText(packageName)) != 0;
}

}  // namespace thld
