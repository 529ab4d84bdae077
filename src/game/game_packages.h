#pragma once
// The game's own package folders, as its settings file names them (the Paths of package_paths.h;
// the game's five folders where it names none), listed once: which file the game loads for a
// package name, and where a cached package goes when it leaves the cache. Permanent, Return and
// every check take their destinations from here, so that they agree with each other and with the
// game.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/package_paths.h"
#include "package/package_kind.h"

namespace thld {

// Where a package goes when it is made permanent.
struct Destination {
    std::string folder;  // one of the game's package folders, ending in the separator
    std::string path;    // folder + the package's file name
};

class GamePackages {
public:
    // Lists the folders of the game's Paths (and its Maps, System and Textures folders). An empty
    // game folder knows no package and gives no destination.
    explicit GamePackages(const std::string& gameFolder);

    // Where the package of a cache.ini value goes. A value ending in an extension that a Paths line
    // names (".unr", ".u", ".utx", ".uax", ".umx" by default, in any case) goes, as it is spelt, to
    // the folder of the first such line whose folder lies right in the game folder. Any other value goes by its kind:
    // "Map" to Maps as <name>.unr, "Script" to System as <name>.u, "Textures/Skins" to Textures as <name>.utx (the name
    // without a package extension); other kinds have no destination. Folders are taken as the disk spells them where
    // only the case differs.
    std::optional<Destination> DestinationOf(PackageKind kind, std::string_view value) const;

    // The file at a destination as the folder spells it (only the case may differ), when there is one.
    std::optional<std::string> FileAt(const Destination& destination) const;

    // The file the game loads for a package name: in the first Paths folder holding a file of that
    // name (any case) with the line's extension; nothing when no folder holds one.
    std::optional<std::string> Find(std::string_view packageName) const;

    // Every folder a package may go to, each once, ending in the separator.
    std::vector<std::string> Folders() const;

private:
    struct Folder {
        std::string path;
        std::map<std::string, std::string, std::less<>> files;  // upper-cased file name -> as spelt
    };
    const Folder* FolderOf(const std::string& path) const;
    // True for a folder right inside the game folder: the only places a package is moved to.
    bool IsFolderOfGame(const std::string& folder) const;

    std::string gameFolder_;
    std::vector<PackagePath> paths_;
    std::vector<Folder> folders_;
    std::vector<std::size_t> folderOfPath_;  // paths_[i] lists folders_[folderOfPath_[i]]
};

}  // namespace thld
