#pragma once
// Where the game looks for a package by name before the cache: the folders and file patterns that
// Paths in [Core.System] of its settings file (System/UnrealTournament.ini of the game folder)
// names, one per line, relative to the System folder; without any, the game's own five
// (../Maps/*.unr, ../System/*.u, ../Textures/*.utx, ../Sounds/*.uax, ../Music/*.umx).

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace thld {

struct PackagePath {
    std::string folder;     // ends in the separator
    std::string extension;  // such as ".unr"; empty when the pattern takes any ("*.*")
};

std::vector<PackagePath> PackagePathsOf(const std::string& gameFolder);

// The package names the paths' folders hold, each folder listed once.
class PackagesOnPaths {
public:
    explicit PackagesOnPaths(const std::vector<PackagePath>& paths);

    // True when a path holds a file of that package name with the path's extension (names compared
    // without regard to ASCII case).
    bool Holds(std::string_view packageName) const;

private:
    std::set<std::string, std::less<>> names_;  // upper-cased, without the extension
};

}  // namespace thld
