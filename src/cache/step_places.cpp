#include "cache/step_places.h"

#include "cache/cached_file.h"
#include "cache/index_text.h"
#include "platform/canonical_folder.h"
#include "platform/code_page.h"
#include "platform/file.h"

namespace thld {

namespace {

struct SplitPath {
    std::string folder;  // ending in a separator, or empty
    std::string name;
};

SplitPath Split(const std::string& path)
{
    const auto cut = path.find_last_of("/\\");
    if (cut == std::string::npos)
        return {std::string(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

// The canonical folder of the folder that holds `folder` (a folder's path, with or without its
// last separator).
std::optional<std::string> CanonicalParent(std::string folder, const StepPlaces& places)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return places.Canonical(Split(folder).folder);
}

std::vector<PackageFolder> GameDefaults(const std::string& gameFolder)
{
    return {{gameFolder + "Maps" + kPathSeparator, ".unr"},
            {gameFolder + "System" + kPathSeparator, ".u"},
            {gameFolder + "Textures" + kPathSeparator, ".utx"},
            {gameFolder + "Sounds" + kPathSeparator, ".uax"},
            {gameFolder + "Music" + kPathSeparator, ".umx"}};
}

bool EndsWithIgnoringCase(std::string_view name, std::string_view extension)
{
    return name.size() > extension.size() &&
           EqualIgnoringAsciiCase(name.substr(name.size() - extension.size()), extension);
}

std::string_view StemOf(std::string_view name)
{
    const auto dot = name.rfind('.');
    return dot == std::string_view::npos ? name : name.substr(0, dot);
}

// The canonical package folder of the game's that holds `file` (its folder as the record spells it)
// with the folder's extension; nothing when none does. The cache folder is never one.
std::optional<std::string> PackageFolderHolding(const SplitPath& file, const StepPlaces& places,
                                                const std::string& gameFolder, const std::string& canonicalGame,
                                                const std::string& canonicalCache)
{
    const auto folder = places.Canonical(file.folder);
    if (!folder || *folder == canonicalCache)
        return std::nullopt;
    for (const PackageFolder& candidate : places.PackageFoldersIn(gameFolder)) {
        if (places.Canonical(candidate.folder) != folder || CanonicalParent(candidate.folder, places) != canonicalGame)
            continue;
        if (candidate.extension.empty() || EndsWithIgnoringCase(file.name, candidate.extension))
            return folder;
    }
    return std::nullopt;
}

JournalCheck Fault(JournalFault fault) { return {fault, std::nullopt}; }

}  // namespace

std::optional<std::string> StepPlaces::Canonical(const std::string& folder) const
{
    const auto it = known->canonical.find(folder);
    if (it != known->canonical.end())
        return it->second;
    auto canonical = CanonicalFolder(folder);
    if (canonical)  // a folder not there yet may be made by the run (Maps, say): asked again then
        known->canonical.emplace(folder, *canonical);
    return canonical;
}

const std::vector<PackageFolder>& StepPlaces::PackageFoldersIn(const std::string& gameFolder) const
{
    const auto it = known->packageFolders.find(gameFolder);
    if (it != known->packageFolders.end())
        return it->second;
    return known->packageFolders[gameFolder] = packageFolders ? packageFolders(gameFolder) : GameDefaults(gameFolder);
}

JournalCheck CheckJournal(const StepJournal& journal, const StepPlaces& places, const std::string& gameFolder)
{
    const auto entry = SplitEntryLine(journal.line);
    if (!entry || !IsPlainFileName(entry->key))
        return Fault(JournalFault::KeyNotPlain);
    const auto cache = places.Canonical(places.cacheFolder);
    const SplitPath source = Split(journal.source);
    if (!cache || places.Canonical(source.folder) != cache || source.name != entry->key + kCachedFileExtension)
        return Fault(JournalFault::NotCachedFile);
    CheckedJournal step{journal.kind, journal.line, *cache, source.name, "", "", false};
    if (journal.kind == StepJournal::Kind::Delete) {
        if (!journal.destination.empty() || !journal.gameFolder.empty())
            return Fault(JournalFault::FieldsOfOtherKind);
        const SplitPath aside = Split(journal.aside);
        if (places.Canonical(aside.folder) != cache || aside.name != source.name + kAsideSuffix)
            return Fault(JournalFault::NotAsideName);
        return {JournalFault::None, step};
    }
    const auto game = places.Canonical(gameFolder);
    const SplitPath place = Split(journal.destination);
    const auto folder = game ? PackageFolderHolding(place, places, gameFolder, *game, *cache) : std::nullopt;
    if (!folder)
        return Fault(JournalFault::NotPackageFolder);
    // A move's file is the line's value as it is, or its package's name with an extension, in the
    // letters of the game's own file where one was there (names compare without regard to ASCII case).
    const bool named = journal.kind == StepJournal::Kind::Return
                           ? place.name == entry->value
                           : EqualIgnoringAsciiCase(place.name, entry->value) ||
                                 (EqualIgnoringAsciiCase(StemOf(place.name), PackageNameOf(entry->value)) &&
                                  place.name != StemOf(place.name));
    if (!IsPlainFileName(place.name) || !named)
        return Fault(JournalFault::NotPackageName);
    step.placeFolder = *folder;
    step.placeName = place.name;
    if (!journal.aside.empty()) {
        const SplitPath aside = Split(journal.aside);
        if (journal.kind == StepJournal::Kind::Return)
            return Fault(JournalFault::FieldsOfOtherKind);
        if (places.Canonical(aside.folder) != folder || aside.name != place.name + kAsideSuffix)
            return Fault(JournalFault::NotAsideName);
        step.replacing = true;
    }
    return {JournalFault::None, step};
}

bool RecordedGameFits(const StepJournal& journal, const std::string& gameFolder)
{
    const auto recorded = CanonicalFolder(journal.gameFolder);
    return recorded && !journal.gameFolder.empty() && !gameFolder.empty() && recorded == CanonicalFolder(gameFolder);
}

StepJournal WithCanonicalFolders(StepJournal journal, const StepPlaces& places)
{
    for (std::string* path : {&journal.source, &journal.aside, &journal.destination}) {
        if (path->empty())
            continue;
        const SplitPath split = Split(*path);
        if (auto folder = places.Canonical(split.folder))
            *path = *folder + split.name;
    }
    if (!journal.gameFolder.empty())
        if (auto game = places.Canonical(journal.gameFolder))
            journal.gameFolder = *game;
    return journal;
}

}  // namespace thld
