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

// The store's places as findings; the game folder where one is taken and exists.
std::optional<std::string> GameFolderOfEntry(const GameEntryRead& read, std::vector<FolderFinding>& findings)
{
    std::vector<GameEntryPlace> places = read.places;
    if (places.empty()) {
        const bool isRead = read.result == GameEntryRead::Result::Read;
        places.push_back({read.source, isRead ? read.bytes : std::string(), isRead,
                          isRead                                        ? "the stored entry"
                          : read.result == GameEntryRead::Result::NoKey ? "no entry"
                                                                        : "no value \"Folder\""});
    }
    std::optional<std::string> gameFolder;
    for (const GameEntryPlace& place : places) {
        FolderFinding finding{kGameRole, place.source, "", place.taken, place.why};
        if (!place.value.empty() || place.taken)
            finding.folder = GameFolderFromValue(place.value);
        if (place.taken && !IsFolder(finding.folder)) {
            finding.taken = false;
            finding.why = place.why + "; its folder " + kMissingFolder;
        } else if (place.taken) {
            gameFolder = finding.folder;
        }
        findings.push_back(std::move(finding));
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

}  // namespace

std::optional<Installation> FindInstallation(GameEntryStore& store, const SearchPlaces& places,
                                             const InstallationRequest& request, std::vector<FolderFinding>& findings)
{
    Installation found;
    std::optional<std::string> gameFolder;
    if (request.game) {
        gameFolder = GivenFolder(kGameRole, *request.game, findings);
        found.gameSource = "given";
    } else {
        GameEntryRead read = store.Read();
        gameFolder = GameFolderOfEntry(read, findings);
        found.gameSource = read.source;
    }
    if (!gameFolder)
        return std::nullopt;
    found.folders.gameFolder = *gameFolder;

    if (request.cache) {
        std::optional<std::string> cacheFolder = GivenFolder("cache folder", *request.cache, findings);
        if (!cacheFolder)
            return std::nullopt;
        found.folders.cacheFolder = *cacheFolder;
        found.cacheSource = "given";
    } else {
        CacheFolderChoice cache = FindCacheFolder(found.folders.gameFolder, places, findings);
        found.folders.cacheFolder = cache.folder;
        found.cacheSource = cache.source;
    }
    found.findings = findings;
    return found;
}

}  // namespace thld
