#pragma once
// What a package says of itself beyond its name, read on demand from its file: its header (file
// version, GUID), its imports, how many objects it holds and, for a map, what its LevelInfo object
// carries (title, author, ideal player count, the text shown on entering) and the picture its
// Screenshot property names, decoded where it lies in the same package (texture_image.h). Every
// part is read within the file's bounds; a part that can't be read is told with a reason, and the
// parts before it are kept.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "package/package_reader.h"
#include "package/texture_image.h"
#include "platform/file.h"

namespace thld {

// The texts of a map's LevelInfo, as the program's text; empty where the map sets none.
struct LevelFacts {
    std::string title;
    std::string author;
    std::string idealPlayerCount;
    std::string enterText;
};

struct ScreenshotFacts {
    enum class State {
        None,            // the map names no screenshot (or the package is no map)
        NotRead,         // not asked for
        Shown,           // decoded: `image`
        InOtherPackage,  // the texture lies in another package (`package`), which is not read
        FormatNotShown,  // a texture format that is not decoded (`format`)
        Unreadable,      // the texture, its mip or its palette is malformed (`reason`)
    };
    State state = State::None;
    std::string texture;      // the texture's name, where one is named
    std::string package;      // InOtherPackage: the package named as its outermost
    std::uint8_t format = 0;  // Shown and FormatNotShown: the texture's Format
    DecodedImage image;
    std::string reason;
};

struct PackageDescription {
    // Where the reading stopped: the header, names and imports (then nothing else is known), the
    // export table, or the LevelInfo's properties. Read where every part was read.
    enum class Outcome {
        Read,
        Unreadable,    // ReadPackage refused the file (`packageOutcome`)
        BadExports,    // the export table is malformed
        BadLevelInfo,  // the LevelInfo object's properties are malformed
    };
    Outcome outcome = Outcome::Read;
    PackageReading::Outcome packageOutcome = PackageReading::Outcome::Read;
    std::string reason;  // for any outcome but Read: what was wrong, and where

    PackageHeader header;
    std::size_t importCount = 0;
    std::vector<std::string> importedPackages;  // ImportedPackages
    std::optional<std::size_t> exportCount;     // nothing where the export table is unreadable
    std::optional<LevelFacts> level;            // a map's: where it holds a LevelInfo whose properties read
    ScreenshotFacts screenshot;
};

enum class ScreenshotWanted {
    No,   // the texts only: the screenshot stays NotRead (or None)
    Yes,  // the picture decoded too
};

// The description of the package in `bytes` or in an open file (as long as it was when opened); a
// failed read of the file raises FileError.
PackageDescription DescribePackage(std::string_view bytes, ScreenshotWanted screenshot);
PackageDescription DescribePackage(const InputFile& file, ScreenshotWanted screenshot);

}  // namespace thld
