#pragma once
// The game's folder: the rules that turn the stored entry into the game folder and the cache folder,
// the record of each folder a search looks at, and the choice of a folder through the picker. Where
// the entry is stored (the registry on Windows) and how a folder is picked are behind the two small
// interfaces below, implemented by each front-end.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/code_page.h"
#include "platform/file.h"

namespace thld {

// The folders a front-end works on.
struct GameFolders {
    std::string gameFolder;   // ends in the path separator
    std::string cacheFolder;  // ends in the path separator; by default gameFolder + "cache" + separator
};

// The game's own entry, shared with the game: HKEY_LOCAL_MACHINE\<key>, value "Folder".
inline constexpr const char* kGameEntryKey = "SOFTWARE\\Unreal Technology\\Installed Apps\\UnrealTournament";
inline constexpr const char* kGameEntryValue = "Folder";

inline constexpr const char* kNoGameEntryMessage =
    "Unreal Tournament Registry Entry not found!\r\nHit OK to select Unreal Tournament Folder.";
inline constexpr const char* kNoFolderValueMessage =
    "Unreal Tournament Registry Entry 'Folder' not found!\r\nHit OK to select Unreal Tournament Folder.";
inline constexpr const char* kPickerTitle = "Select UT Folder (ex. C:\\UnrealTournament)";

// The game folder from the value's bytes as read: the text up to the first zero byte, with the
// separator (a backslash on Windows) appended unless it ends in one (an empty value gives the
// separator alone).
std::string GameFolderFromValue(std::string_view bytes, char separator = kPathSeparator);
// The cache folder of a game folder: the game folder followed by "cache\".
std::string CacheFolderOf(const std::string& gameFolder);
// The text stored for a chosen folder: the folder without its last separator (so a drive root,
// which the picker gives as C:\\, is stored as C:\, and the root / given as // as /).
std::string StoredValueOf(const std::string& chosenFolder, char separator = kPathSeparator);

// Why a search took a folder or passed it over, for the code that acts on it; the words of the
// finding say the same to people, with the details.
enum class FindingReason {
    Taken,            // taken: given, stored, chosen, found by a launcher, or a cache folder that fits
    NoEntry,          // the store holds no entry at this place
    NoValue,          // the store's entry has no value "Folder"
    StoreUnreadable,  // the store can't be read at this place (a settings file that is a FIFO...)
    Missing,          // nothing is there: a folder or file that does not exist, a disk not mounted
    NotAFolder,       // something is there, but no folder
    Unreadable,       // there, but it can't be read, or is no regular file, or is too large
    NotText,          // a launcher's file that holds what is not text
    Malformed,        // a launcher's file that is not in its format, or names nothing usable
    RefusedPath,      // a path refused as it is written: relative, a Windows path, no plain name
    NotTheGame,       // another game's entry, or a folder that holds no build of the game
    NoIndex,          // a cache folder that holds no cache.ini
    Duplicate,        // the same as one taken before
    Other,            // passed over for another reason that the words give
};

// One folder that a search looked at (a place where a store looked for the entry, a cache folder, an
// installation a launcher names), and what it made of it.
struct FolderFinding {
    std::string role;    // "game folder" or "cache folder"
    std::string source;  // where the candidate came from, in words
    std::string folder;  // the folder (for a store's place, the value as stored); empty when none
    bool taken = false;
    std::string why;  // why it was taken or passed over, in words
    FindingReason reason = FindingReason::Other;
};

struct GameEntryRead {
    enum class Result {
        Read,
        NoKey,
        NoValue
    };
    Result result = Result::NoKey;
    std::string bytes;   // the value's bytes as the store reported them
    std::string source;  // where the value was read, in words (such as the registry view or the file)
    // Every place looked at, in order (role "game folder", the value as stored); empty for a store
    // of one place.
    std::vector<FolderFinding> places;
};

// Where the entry lives: the registry on Windows, the program's settings file elsewhere, a fake in
// tests.
class GameEntryStore {
public:
    virtual ~GameEntryStore() = default;
    virtual GameEntryRead Read() = 0;
    // True when the value was written.
    virtual bool Write(const std::string& value) = 0;
    // Why the store could never keep this value, in words (a settings file keeps no line break);
    // nothing where it can.
    virtual std::optional<std::string> WhyNotKept(const std::string&) const { return std::nullopt; }
};

class FolderPicker {
public:
    virtual ~FolderPicker() = default;
    // The chosen folder with a backslash appended, or nothing when the user cancels.
    virtual std::optional<std::string> Pick(const std::string& title) = 0;
};

struct FolderChoice {
    std::string value;  // the text stored (or meant to be stored) in the entry
    bool stored = false;
};

// The picker, then the choice written to the store; nothing when the picker is cancelled.
std::optional<FolderChoice> SelectGameFolder(GameEntryStore& store, FolderPicker& picker,
                                             const std::string& title = kPickerTitle);

}  // namespace thld
