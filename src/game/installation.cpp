#include "game/installation.h"

#include "game/game_paths.h"
#include "platform/environment.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

SearchPlaces SearchPlaces::OfThisSystem()
{
    SearchPlaces places;
    places.home = HomeFolder();
#if defined(_WIN32)
    places.system = SearchPlaces::System::Windows;
#elif defined(__APPLE__)
    places.system = SearchPlaces::System::MacOS;
    if (!places.home.empty()) {
        places.settingsFolder = places.home + "Library/Preferences/";
        places.gameUserFolder = places.home + "Library/Application Support/Unreal Tournament/";
    }
#else
    places.system = SearchPlaces::System::Linux;
    auto config = EnvironmentVariable("XDG_CONFIG_HOME");
    if (config && !config->empty() && config->front() == '/')
        places.settingsFolder = *config + (config->back() == '/' ? "" : "/") + "tallyhold/";
    else if (!places.home.empty())
        places.settingsFolder = places.home + ".config/tallyhold/";
    if (!places.home.empty())
        places.gameUserFolder = places.home + ".utpg/";
#endif
    return places;
}

std::string GameSubfolder(const std::string& gameFolder, std::string_view name)
{
    return gameFolder + EntryIgnoringCase(gameFolder, name, true).value_or(std::string(name)) + kPathSeparator;
}

namespace {

constexpr const char* kGameRole = "game folder";
constexpr const char* kMissingFolder = "does not exist";

std::string WithSeparator(std::string folder)
{
    if (folder.empty() || (folder.back() != kPathSeparator && folder.back() != '/'))
        folder += kPathSeparator;
    return folder;
}

// The store's places as findings; the game folder where one is taken (and exists, unless a folder
// that is gone is accepted).
std::optional<std::string> GameFolderOfEntry(const GameEntryRead& read, bool acceptGone,
                                             std::vector<FolderFinding>& findings)
{
    std::vector<FolderFinding> places = read.places;
    if (places.empty()) {
        const bool isRead = read.result == GameEntryRead::Result::Read;
        places.push_back({kGameRole, read.source, isRead ? read.bytes : std::string(), isRead,
                          isRead                                        ? "the stored entry"
                          : read.result == GameEntryRead::Result::NoKey ? "no entry"
                                                                        : "no value \"Folder\""});
    }
    std::optional<std::string> gameFolder;
    for (FolderFinding& place : places) {
        const std::string value = std::move(place.folder);
        place.folder = !value.empty() || place.taken ? GameFolderFromValue(value) : std::string();
        if (place.taken && !acceptGone && !IsFolder(place.folder)) {
            place.taken = false;
            place.why += std::string("; its folder ") + kMissingFolder;
        } else if (place.taken) {
            gameFolder = place.folder;
        }
        findings.push_back(std::move(place));
    }
    return gameFolder;
}

// A folder given by the user, taken where it exists.
std::optional<std::string> GivenFolder(const char* role, const std::string& given, std::vector<FolderFinding>& findings)
{
    std::string folder = WithSeparator(given);
    const bool exists = IsFolder(folder);
    findings.push_back({role, "given", folder, exists,
                        exists ? "given by the user" : std::string("given by the user; ") + kMissingFolder});
    return exists ? std::optional<std::string>(folder) : std::nullopt;
}

// The stored game folder, asking for it while the store holds none where asking is wanted.
std::optional<std::string> StoredGameFolder(GameEntryStore& store, const InstallationRequest& request,
                                            std::string& source, std::vector<FolderFinding>& findings)
{
    for (;;) {
        GameEntryRead read = store.Read();
        source = read.source;
        std::optional<std::string> gameFolder = GameFolderOfEntry(read, request.acceptGoneFolder, findings);
        if (gameFolder || !request.ask)
            return gameFolder;
        request.ask->tell(read.result == GameEntryRead::Result::NoValue ? kNoFolderValueMessage : kNoGameEntryMessage);
        std::optional<FolderChoice> choice = SelectGameFolder(store, request.ask->picker);
        if (!choice)
            return std::nullopt;
        if (!choice->stored) {
            source = "chosen by the user";
            std::string folder = GameFolderFromValue(choice->value);
            findings.push_back({kGameRole, source, folder, true, "chosen by the user; it could not be stored"});
            return folder;
        }
    }
}

}  // namespace

InstallationSearch FindInstallation(GameEntryStore& store, const SearchPlaces& places,
                                    const InstallationRequest& request)
{
    InstallationSearch search;
    std::vector<FolderFinding>& findings = search.findings;
    Installation found;
    std::optional<std::string> gameFolder;
    if (request.game) {
        gameFolder = GivenFolder(kGameRole, *request.game, findings);
        found.gameSource = "given";
    } else {
        gameFolder = StoredGameFolder(store, request, found.gameSource, findings);
    }
    if (!gameFolder)
        return search;
    found.folders.gameFolder = *gameFolder;

    if (request.cache) {
        std::optional<std::string> cacheFolder = GivenFolder("cache folder", *request.cache, findings);
        if (!cacheFolder)
            return search;
        found.folders.cacheFolder = *cacheFolder;
        found.cacheSource = "given";
    } else {
        CacheFolderChoice cache = FindCacheFolder(found.folders.gameFolder, places, findings);
        found.folders.cacheFolder = cache.folder;
        found.cacheSource = cache.source;
    }
    search.found = std::move(found);
    return search;
}

}  // namespace thld
