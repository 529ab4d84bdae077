#pragma once
// Where a recorded step may act, and the check that a record read back (step_journal.h) names only
// such places. A record is untrusted input: anyone may write the file. It is acted on only when it
// has exactly the shape a step of this cache writes: the cached file is <cache>/<KEY>.uxx for the key
// of its line; the file in the game is <game>/<package folder>/<plain name> with that folder's
// extension (for a move, the line's value or its package's name with an extension, in any ASCII case;
// for a return, the line's file name); what waits
// meanwhile is exactly <that>.tallyhold-old. Folders are compared by their canonical paths
// (canonical_folder.h), so that a record names the cache and game folders, not how they were typed.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cache/step_journal.h"

namespace thld {

// A folder of the game's that holds packages, as the game's Paths name them.
struct PackageFolder {
    std::string folder;     // its path, ending in the separator
    std::string extension;  // the extension of the packages it holds, such as ".unr"; empty for any
};
// The package folders of a game folder. The game layer knows the rule (game/package_paths.h); an
// empty function stands for the game's own five: Maps (.unr), System (.u), Textures (.utx),
// Sounds (.uax) and Music (.umx).
using PackageFoldersOf = std::function<std::vector<PackageFolder>(const std::string& gameFolder)>;

// The cache and the game it belongs to, as the program was given them.
struct StepPlaces {
    std::string cacheFolder;
    std::string gameFolder;  // empty when not known (a cache folder given alone)
    PackageFoldersOf packageFolders;

    // CanonicalFolder of a folder, and the package folders of a game folder, each asked once for the
    // places' life (a run, or one settling): a batch asks for the same ones for every package.
    std::optional<std::string> Canonical(const std::string& folder) const;
    const std::vector<PackageFolder>& PackageFoldersIn(const std::string& gameFolder) const;

    struct Known {
        std::map<std::string, std::string> canonical;
        std::map<std::string, std::vector<PackageFolder>> packageFolders;
    };
    std::shared_ptr<Known> known = std::make_shared<Known>();
};

// The suffix of the name under which a file waits while a step is under way.
inline constexpr const char* kAsideSuffix = ".tallyhold-old";

// Why a record is not acted on.
enum class JournalFault {
    None,
    NotWhole,           // not one whole record of a step (cut short, or not this program's)
    KeyNotPlain,        // its line has no key that names a plain file
    NotCachedFile,      // its cached file is not <cache>/<KEY>.uxx for its line's key
    NotPackageFolder,   // its file in the game lies in no package folder of the game folder
    NotPackageName,     // that file's name is not its line's package (for a return, its line's file)
    NotAsideName,       // the name a file waits under is not exactly <file>.tallyhold-old
    FieldsOfOtherKind,  // it holds fields a step of its kind leaves empty
    KeyOfOtherLine,     // cache.ini holds its key in another line: the cached file is that line's
    Repeated,           // a batch names one cached file twice
    Link,               // the record's file is a link
    NotRegularFile,     // the record's file is a folder, a FIFO, a device or a socket
};

// A record checked against the places: the folders it acts in, canonical, and the plain names in them.
struct CheckedJournal {
    StepJournal::Kind kind = StepJournal::Kind::Delete;
    std::string line;
    std::string cacheFolder;  // canonical
    std::string cachedName;   // <KEY>.uxx
    std::string placeFolder;  // Move, Return: the canonical package folder; empty for a Delete
    std::string placeName;    // the file's name there
    bool replacing = false;   // Move: a file at the place waits as placeName + kAsideSuffix
};

struct JournalCheck {
    JournalFault fault = JournalFault::None;
    std::optional<CheckedJournal> step;  // when fault is None
};

// Checks a record's paths against the cache folder and the game folder `gameFolder` (whose package
// folders `places` gives): a Delete needs only the cache. The record's own game folder is not looked
// at here; see RecordedGameFits.
JournalCheck CheckJournal(const StepJournal& journal, const StepPlaces& places, const std::string& gameFolder);

// True when the record's game folder is the folder `gameFolder` (both canonically).
bool RecordedGameFits(const StepJournal& journal, const std::string& gameFolder);

// The record as a step writes it: the folders in its paths canonical, so that any program that
// opens the cache, however it names the folders, finds the record to be its own. A path whose folder
// can't be resolved stays as it is.
StepJournal WithCanonicalFolders(StepJournal journal, const StepPlaces& places);

}  // namespace thld
