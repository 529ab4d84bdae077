#pragma once
// One installation of the game as the program works on it: the game folder (where Maps, System and
// Textures are, the destinations of Permanent), the cache folder (with cache.ini), where each came
// from, and what else was looked at on the way. Every front-end finds it the same way.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game_folder.h"

namespace thld {

class RegistryValues;

// How an installation was found.
enum class FoundBy {
    Given,             // --game or --cache
    Stored,            // the game's entry: the registry, or the program's settings file
    Chosen,            // picked by the user, and not stored
    Registry,          // an installer's or launcher's registry entry (Steam's, OldUnreal's, GOG's)
    Steam,             // a Steam library's appmanifest_13240.acf
    Lutris,            // a Lutris game's configuration
    Heroic,            // Heroic's list of installed GOG games
    WinePrefix,        // a Wine prefix's registry
    NativeUserFolder,  // the native game's per-user folder (~/.utpg), with no game folder known
    DefaultFolder,     // a folder the game's installers use by default
};

struct Installation {
    GameFolders folders;      // both end in the path separator; gameFolder empty when not known
    std::string gameSource;   // where the game folder came from, in words
    std::string cacheSource;  // where the cache folder came from, in words
    FoundBy foundBy = FoundBy::Stored;
};

// The places the search depends on; tests make their own.
struct SearchPlaces {
    enum class System {
        Windows,
        Linux,
        MacOS
    };
    System system = System::Windows;
    std::string home;  // the user's home folder, ending in the separator; empty when unknown
    // The folder of the program's own settings file (Linux: $XDG_CONFIG_HOME/tallyhold or
    // ~/.config/tallyhold; macOS: ~/Library/Preferences); empty on Windows.
    std::string settingsFolder;
    // The native game's per-user folder, ending in the separator (Linux: ~/.utpg/; macOS:
    // ~/Library/Application Support/Unreal Tournament/); empty on Windows and where the home folder
    // is not known.
    std::string gameUserFolder;
    // Where launchers are looked for: the home folder's launchers (Steam, Lutris, Heroic, ~/.wine)
    // unless switched off; $WINEPREFIX; and on Windows the registry (none in tests by default) and
    // the installers' default folders.
    bool searchLaunchers = false;
    std::string winePrefix;
    RegistryValues* registry = nullptr;
    std::vector<std::string> defaultFolders;

    static SearchPlaces OfThisSystem();
};

// How the user is asked for the game folder where none is stored: `offer` says so (`read` tells
// how the store was found) and gives whether to go on to the picker (false: the user declined, as
// with a cancelled picker); then the picker, under `pickerTitle`.
struct FolderAsking {
    FolderPicker& picker;
    std::function<bool(GameEntryRead::Result read)> offer;
    std::string pickerTitle = kPickerTitle;
};

// What a front-end asks of the search. `game` and `cache`, where given, are taken as they are (a
// folder given on the command line); otherwise the game folder comes from the store and the cache
// folder from FindCacheFolder.
struct InstallationRequest {
    std::optional<std::string> game;   // a game folder given by the user
    std::optional<std::string> cache;  // a cache folder given by the user
    // Whether a stored game folder that is gone is taken all the same (the windows take it, and then
    // ask about the cache that looks empty); otherwise it is passed over.
    bool acceptGoneFolder = false;
    // Where the store holds no entry: its message ("Registry Entry not found"), then the picker,
    // whose choice is stored and read back, until an entry is read or the picker is cancelled; a
    // choice that could not be stored is used as it is. Without it, nobody is asked.
    const FolderAsking* ask = nullptr;
    // The installation of that number (from 1) in the list of every installation, instead of the
    // stored one.
    std::optional<std::size_t> install;
    // Only installations whose game folder is known are listed and opened (the windows' Permanent
    // needs one; a native cache alone is left to the command line).
    bool withGameFolderOnly = false;
};

struct InstallationSearch {
    // How the search ended; what a front-end may act on.
    enum class Outcome {
        Found,               // `found` holds the installation
        NothingKnown,        // nothing given, stored or found (or the user was asked and cancelled)
        GivenMissing,        // a folder given on the command line is not there
        GivenNotAFolder,     // a path given on the command line names a file, a FIFO...
        StoredMissing,       // the stored game folder is not there
        NoSuchInstallation,  // `install` numbers none of those found
    };
    Outcome outcome = Outcome::NothingKnown;
    // Where nothing was found: why, and what to do, in the words the user reads (search_words.h).
    std::string problem;
    std::optional<Installation> found;    // nothing when no game folder was found or given
    std::vector<FolderFinding> findings;  // every folder looked at, in order, and why
    // Every installation on the machine, the stored one first, the same folders only once; what
    // `install` numbers.
    std::vector<Installation> every;
    // Where nothing was stored or given and several were found, that the one whose cache.ini was
    // written last is taken; empty otherwise.
    std::string note;
};

// The one way every front-end finds the game: the folders given; else the installation numbered by
// `install`; else the stored one; else, of every installation the launchers and installers name
// (FindEveryInstallation), the only one or the one whose cache.ini was written last; else (with
// `ask`) the user's choice. Where the store knows several places (the registry's), each is a
// finding. A cache folder given alone goes with the stored game folder where there is one, and
// with none otherwise (a cache that can be listed and cleaned, not made permanent). A folder given
// that is not there or is no folder gives nothing, with why. Nothing found is ever stored.
InstallationSearch FindInstallation(GameEntryStore& store, const SearchPlaces& places,
                                    const InstallationRequest& request);

// gameFolder + the folder of that name (such as "Maps") + the separator: an existing folder whose
// name differs only in case is taken as it is spelt; otherwise the name as given.
std::string GameSubfolder(const std::string& gameFolder, std::string_view name);

}  // namespace thld
