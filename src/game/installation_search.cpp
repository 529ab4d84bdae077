#include "game/installation_search.h"

#include <algorithm>
#include <unordered_map>
#include "game/cache_search.h"

#include "game/game_paths.h"
#include "game/launcher_candidates.h"
#include "game/launcher_file.h"
#include "platform/file.h"
#include "platform/folder.h"

namespace thld {

namespace {

constexpr const char* kGameRole = "game folder";

bool HoldsIndex(const std::string& folder)
{
    const std::string index = folder + "cache.ini";
    return PathExists(index) && !IsFolder(index);
}

// The installation of one build in a game folder.
Installation OfBuild(const GameCandidate& candidate, const SearchPlaces& places, bool windowsBuild)
{
    SearchPlaces rules = places;
    if (windowsBuild && places.system != SearchPlaces::System::Windows)
        rules.gameUserFolder.clear();  // the Windows build keeps its cache in the game folder, even under Wine
    std::vector<FolderFinding> unused;
    CacheFolderChoice cache = FindCacheFolder(candidate.folder, rules, unused);
    Installation one;
    one.folders = {candidate.folder, cache.folder};
    one.gameSource = candidate.source;
    one.cacheSource = cache.source;
    one.foundBy = candidate.foundBy;
    return one;
}

std::string BuildsText(const GameBuilds& builds)
{
    if (builds.windows && builds.native)
        return "the Windows and the native build";
    return builds.windows ? "the Windows build" : "the native build";
}

}  // namespace

const char* FoundByText(FoundBy foundBy)
{
    switch (foundBy) {
    case FoundBy::Given:
        return "given";
    case FoundBy::Stored:
        return "stored";
    case FoundBy::Chosen:
        return "chosen";
    case FoundBy::Registry:
        return "registry";
    case FoundBy::Steam:
        return "Steam";
    case FoundBy::Lutris:
        return "Lutris";
    case FoundBy::Heroic:
        return "Heroic";
    case FoundBy::WinePrefix:
        return "Wine prefix";
    case FoundBy::NativeUserFolder:
        return "native per-user folder";
    default:
        return "default folder";
    }
}

std::size_t LatestWritten(const std::vector<Installation>& installations)
{
    std::size_t latest = 0;
    std::int64_t latestTime = 0;
    for (std::size_t i = 0; i < installations.size(); ++i) {
        std::optional<InputFile> index;
        try {
            index = InputFile::OpenUnshared(installations[i].folders.cacheFolder + "cache.ini");
        } catch (const FileError&) {}
        if (index && index->ModifiedTime() > latestTime) {
            latest = i;
            latestTime = index->ModifiedTime();
        }
    }
    return latest;
}

InstallationList FindEveryInstallation(const SearchPlaces& places)
{
    InstallationList list;
    GameCandidates candidates = FindGameCandidates(places);
    list.findings = std::move(candidates.findings);
    // The real folders of each installation found, and its number.
    std::unordered_map<std::string, std::size_t> seen;
    const auto add = [&](Installation one, const std::string& source) {
        const std::string key = (one.folders.gameFolder.empty() ? "" : RealFolder(one.folders.gameFolder)) + '\n' +
                                RealFolder(one.folders.cacheFolder);
        const auto [same, added] = seen.emplace(key, seen.size() + 1);
        if (!added) {
            list.findings.push_back({kGameRole, source, one.folders.gameFolder, false,
                                     "the same as installation " + std::to_string(same->second),
                                     FindingReason::Duplicate});
            return;
        }
        list.findings.push_back({kGameRole, source, one.folders.gameFolder, true,
                                 "installation " + std::to_string(seen.size()) + ", cache " + one.folders.cacheFolder,
                                 FindingReason::Taken});
        list.installations.push_back(std::move(one));
    };
    for (const GameCandidate& candidate : candidates.games) {
        const GameBuilds builds = BuildsIn(candidate.folder);
        if (!builds.windows && !builds.native) {
            const bool there = IsFolder(candidate.folder);
            list.findings.push_back(
                {kGameRole, candidate.source, candidate.folder, false,
                 there ? "holds no System/UnrealTournament.exe or System*/ut-bin*" : "does not exist",
                 there ? FindingReason::NotTheGame : FindingReason::Missing});
            continue;
        }
        const bool native = builds.native && places.system != SearchPlaces::System::Windows;
        if (builds.windows)
            add(OfBuild(candidate, places, true), candidate.source + " (" + BuildsText(builds) + ")");
        if (native)
            add(OfBuild(candidate, places, false), candidate.source + " (" + BuildsText(builds) + ")");
    }
    // The native game's own cache, where no game folder found uses it.
    if (!places.gameUserFolder.empty()) {
        const std::string cache = GameSubfolder(places.gameUserFolder, "Cache");
        const bool holds = HoldsIndex(cache);
        Installation user;
        user.folders.cacheFolder = cache;
        user.gameSource = "not known";
        user.cacheSource = "the game's per-user cache folder";
        user.foundBy = FoundBy::NativeUserFolder;
        const bool used = std::any_of(
            list.installations.begin(), list.installations.end(),
            [&](const Installation& one) { return RealFolder(one.folders.cacheFolder) == RealFolder(cache); });
        if (holds && !used)
            add(std::move(user), places.gameUserFolder);
        else if (!holds)
            list.findings.push_back({"cache folder", places.gameUserFolder, cache, false,
                                     IsFolder(cache) ? "holds no cache.ini" : "does not exist",
                                     IsFolder(cache) ? FindingReason::NoIndex : FindingReason::Missing});
    }
    return list;
}

}  // namespace thld
