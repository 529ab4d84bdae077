#include "game/installation.h"

#include "game/cache_search.h"
#include "game/game_paths.h"
#include "game/installation_search.h"
#include "game/launcher_candidates.h"
#include "game/launcher_file.h"
#include "game/registry_game_entry.h"
#include "game/search_words.h"
#include "platform/environment.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

SearchPlaces SearchPlaces::OfThisSystem()
{
    SearchPlaces places;
    places.home = HomeFolder();
    places.searchLaunchers = true;
#if defined(_WIN32)
    places.system = SearchPlaces::System::Windows;
    places.registry = &SystemRegistry();
    places.defaultFolders = {"C:\\UnrealTournament\\", "C:\\GOG Games\\Unreal Tournament GOTY\\"};
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
    auto winePrefix = EnvironmentVariable("WINEPREFIX");
    if (winePrefix && !winePrefix->empty() && winePrefix->front() == '/')
        places.winePrefix = *winePrefix;
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

// The store's places as findings; the game folder where one is taken (and exists, unless a folder
// that is gone is accepted).
std::optional<std::string> GameFolderOfEntry(const GameEntryRead& read, bool acceptGone,
                                             std::vector<FolderFinding>& findings)
{
    std::vector<FolderFinding> places = read.places;
    if (places.empty()) {
        const bool isRead = read.result == GameEntryRead::Result::Read;
        const bool noKey = read.result == GameEntryRead::Result::NoKey;
        places.push_back({kGameRole, read.source, isRead ? read.bytes : std::string(), isRead,
                          isRead  ? "the stored entry"
                          : noKey ? "no entry"
                                  : "no value \"Folder\"",
                          isRead  ? FindingReason::Taken
                          : noKey ? FindingReason::NoEntry
                                  : FindingReason::NoValue});
    }
    std::optional<std::string> gameFolder;
    for (FolderFinding& place : places) {
        const std::string value = std::move(place.folder);
        place.folder = !value.empty() || place.taken ? GameFolderFromValue(value) : std::string();
        if (place.taken && !acceptGone && !IsFolder(place.folder)) {
            place.taken = false;
            place.why += std::string("; its folder ") + kMissingFolder;
            place.reason = FindingReason::Missing;
        } else if (place.taken) {
            gameFolder = place.folder;
        }
        findings.push_back(std::move(place));
    }
    return gameFolder;
}

// The path as typed, without the separators at its end (a root keeps its own).
std::string WithoutSeparators(std::string path)
{
    while (path.size() > 1 && (path.back() == kPathSeparator || path.back() == '/'))
        path.pop_back();
    return path;
}

// A folder given by the user, taken where it is a folder; otherwise the search ends with why.
std::optional<std::string> GivenFolder(const char* role, const std::string& given, InstallationSearch& search)
{
    std::string folder = WithSeparator(given);
    if (IsFolder(folder)) {
        search.findings.push_back({role, kGivenSource, folder, true, "given by the user", FindingReason::Taken});
        return folder;
    }
    const std::string path = WithoutSeparators(given);
    const bool there = !path.empty() && PathExists(path);
    search.findings.push_back({role, kGivenSource, folder, false,
                               std::string("given by the user; ") + (there ? "not a folder" : kMissingFolder),
                               there ? FindingReason::NotAFolder : FindingReason::Missing});
    search.outcome = there ? InstallationSearch::Outcome::GivenNotAFolder : InstallationSearch::Outcome::GivenMissing;
    search.problem = there ? NotAFolderText(path) : NotThereText(folder);
    return std::nullopt;
}

// The search's end where nothing was found: a stored game folder that is gone, or nothing known.
void NothingFound(InstallationSearch& search, const SearchPlaces& places, const GameEntryRead& read)
{
    for (const FolderFinding& finding : search.findings) {
        if (finding.reason == FindingReason::Missing && finding.source == read.source && !finding.folder.empty()) {
            search.outcome = InstallationSearch::Outcome::StoredMissing;
            search.problem = NotThereText(finding.folder);
            return;
        }
    }
    search.outcome = InstallationSearch::Outcome::NothingKnown;
    search.problem = NothingFoundText(places, read);
}

// Asks while the store holds nothing: its message, the picker, the choice stored and read back;
// `source` and `foundBy` say whether it was stored (Stored) or could not be (Chosen).
std::optional<std::string> AskedGameFolder(GameEntryStore& store, GameEntryRead read,
                                           const InstallationRequest& request, std::string& source, FoundBy& foundBy,
                                           std::vector<FolderFinding>& findings)
{
    for (;;) {
        if (!request.ask->offer(read.result))
            return std::nullopt;
        std::optional<FolderChoice> choice = SelectGameFolder(store, request.ask->picker, request.ask->pickerTitle);
        if (!choice)
            return std::nullopt;
        if (!choice->stored) {
            source = "chosen by the user";
            foundBy = FoundBy::Chosen;
            std::string folder = GameFolderFromValue(choice->value);
            findings.push_back(
                {kGameRole, source, folder, true, "chosen by the user; it could not be stored", FindingReason::Taken});
            return folder;
        }
        read = store.Read();
        source = read.source;
        foundBy = FoundBy::Stored;
        if (std::optional<std::string> folder = GameFolderOfEntry(read, request.acceptGoneFolder, findings))
            return folder;
    }
}

Installation WithCacheFolder(const std::string& gameFolder, std::string source, FoundBy foundBy,
                             const SearchPlaces& places, std::vector<FolderFinding>& findings)
{
    Installation found;
    found.folders.gameFolder = gameFolder;
    found.gameSource = std::move(source);
    found.foundBy = foundBy;
    // A folder of the Windows build alone keeps its cache in the game folder, even under Wine.
    SearchPlaces rules = places;
    const GameBuilds builds = BuildsIn(gameFolder);
    if (places.system != SearchPlaces::System::Windows && builds.windows && !builds.native)
        rules.gameUserFolder.clear();
    CacheFolderChoice cache = FindCacheFolder(gameFolder, rules, findings);
    found.folders.cacheFolder = cache.folder;
    found.cacheSource = cache.source;
    return found;
}

bool SameFolders(const Installation& a, const Installation& b)
{
    return RealFolder(a.folders.gameFolder) == RealFolder(b.folders.gameFolder) &&
           RealFolder(a.folders.cacheFolder) == RealFolder(b.folders.cacheFolder);
}

// The folders given on the command line: a game folder, with a cache folder or not; or a cache
// folder alone, with the stored game folder where there is one.
InstallationSearch GivenInstallation(GameEntryStore& store, const SearchPlaces& places,
                                     const InstallationRequest& request)
{
    InstallationSearch search;
    Installation found;
    found.foundBy = FoundBy::Given;
    if (request.game) {
        std::optional<std::string> gameFolder = GivenFolder(kGameRole, *request.game, search);
        if (!gameFolder)
            return search;
        found.folders.gameFolder = *gameFolder;
        found.gameSource = kGivenSource;
    } else {
        const GameEntryRead read = store.Read();
        std::optional<std::string> gameFolder = GameFolderOfEntry(read, false, search.findings);
        found.folders.gameFolder = gameFolder.value_or("");
        found.gameSource = gameFolder ? read.source : "not known";
    }
    if (request.cache) {
        std::optional<std::string> cacheFolder = GivenFolder("cache folder", *request.cache, search);
        if (!cacheFolder)
            return search;
        found.folders.cacheFolder = *cacheFolder;
        found.cacheSource = kGivenSource;
    } else {
        CacheFolderChoice cache = FindCacheFolder(found.folders.gameFolder, places, search.findings);
        found.folders.cacheFolder = cache.folder;
        found.cacheSource = cache.source;
    }
    search.found = std::move(found);
    search.outcome = InstallationSearch::Outcome::Found;
    return search;
}

}  // namespace

InstallationSearch FindInstallation(GameEntryStore& store, const SearchPlaces& places,
                                    const InstallationRequest& request)
{
    if (request.game || request.cache)
        return GivenInstallation(store, places, request);
    InstallationSearch search;
    std::vector<FolderFinding>& findings = search.findings;
    const GameEntryRead read = store.Read();
    std::optional<Installation> stored;
    if (std::optional<std::string> gameFolder = GameFolderOfEntry(read, request.acceptGoneFolder, findings))
        stored = WithCacheFolder(*gameFolder, read.source, FoundBy::Stored, places, findings);
    InstallationList list = FindEveryInstallation(places);
    findings.insert(findings.end(), list.findings.begin(), list.findings.end());
    if (stored)
        search.every.push_back(*stored);
    for (Installation& one : list.installations) {
        if (request.withGameFolderOnly && one.folders.gameFolder.empty())
            continue;
        if (!stored || !SameFolders(one, *stored))
            search.every.push_back(std::move(one));
    }

    if (request.install) {
        if (*request.install >= 1 && *request.install <= search.every.size()) {
            search.found = search.every[*request.install - 1];
        } else {
            search.outcome = InstallationSearch::Outcome::NoSuchInstallation;
            search.problem = NoSuchInstallationText(*request.install, search.every.size());
        }
    } else if (stored) {
        search.found = std::move(stored);
    } else if (!search.every.empty()) {
        const std::size_t latest = LatestWritten(search.every);
        search.found = search.every[latest];
        if (search.every.size() > 1)
            search.note = std::to_string(search.every.size()) + " installations of the game were found; installation " +
                          std::to_string(latest + 1) + ", whose cache.ini was written last, is open.";
    } else if (request.ask) {
        std::string source;
        FoundBy foundBy = FoundBy::Stored;
        if (std::optional<std::string> gameFolder = AskedGameFolder(store, read, request, source, foundBy, findings)) {
            search.found = WithCacheFolder(*gameFolder, source, foundBy, places, findings);
        }
    }
    if (search.found)
        search.outcome = InstallationSearch::Outcome::Found;
    else if (search.outcome != InstallationSearch::Outcome::NoSuchInstallation)
        NothingFound(search, places, read);
    return search;
}

}  // namespace thld
