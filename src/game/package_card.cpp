#include "game/package_card.h"

#include "cache/cached_file.h"
#include "platform/file.h"

namespace thld {

PackageCard ReadPackageCard(const std::string& cacheFolder, const PackageItem& item, ScreenshotWanted screenshot)
{
    PackageCard card;
    card.name = item.name;
    card.kind = item.kind;
    card.size = item.size;
    card.sizeText = item.sizeText;
    card.key = item.key;
    if (!IsPlainFileName(item.key))
        return card;
    const InputFile file = InputFile::Open(CachedFilePath(cacheFolder, item.key));
    card.description = DescribePackage(file, screenshot);
    return card;
}

std::optional<LevelFacts> ReadMapFacts(const std::string& cacheFolder, const PackageItem& item)
{
    if (item.kind != kind::Map || !IsPlainFileName(item.key))
        return std::nullopt;
    try {
        const InputFile file = InputFile::Open(CachedFilePath(cacheFolder, item.key));
        return DescribePackage(file, ScreenshotWanted::No).level;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

void AddRequirements(PackageCard& card, const std::vector<PackageItem>& items, std::size_t item,
                     const OfflineCheck& offline)
{
    // The one place a card asks what a package requires and whether it loads offline.
    card.requirements = items[item].requirements;
    std::optional<std::vector<MissingImport>> missing = offline.Missing(item);
    if (!missing)
        card.offline = PackageCard::Offline::NotKnown;
    else if (missing->empty())
        card.offline = PackageCard::Offline::WillLoad;
    else {
        card.offline = PackageCard::Offline::WillNotLoad;
        card.missing = std::move(*missing);
    }
}

std::string ScreenshotText(const ScreenshotFacts& screenshot)
{
    switch (screenshot.state) {
    case ScreenshotFacts::State::None:
        return "none";
    case ScreenshotFacts::State::NotRead:
        return screenshot.texture + " (not read)";
    case ScreenshotFacts::State::Shown:
        return std::to_string(screenshot.image.width) + " x " + std::to_string(screenshot.image.height) + " " +
               TextureFormatText(screenshot.format);
    case ScreenshotFacts::State::InOtherPackage:
        return screenshot.texture + " in the package " + screenshot.package + " (not read)";
    case ScreenshotFacts::State::FormatNotShown:
        return "a screenshot in a format not shown (" + TextureFormatText(screenshot.format) + ")";
    case ScreenshotFacts::State::Unreadable:
        return "unreadable: " + screenshot.reason;
    }
    return {};
}

std::string OfflineText(const PackageCard& card)
{
    switch (card.offline) {
    case PackageCard::Offline::NotAsked:
        return {};
    case PackageCard::Offline::NotKnown:
        return "can't be told";
    case PackageCard::Offline::WillLoad:
        return "will load once made permanent";
    case PackageCard::Offline::WillNotLoad: {
        std::string names;
        for (std::size_t i = 0; i < card.missing.size(); ++i) {
            if (i > 0)
                names += i + 1 == card.missing.size() ? " and " : ", ";
            names += card.missing[i].package;
            if (!card.missing[i].through.empty())
                names += " (through " + card.missing[i].through + ")";
        }
        return "will not load once made permanent: " + names + (card.missing.size() == 1 ? " is" : " are") +
               " found neither in the game's folders nor in the cache";
    }
    }
    return {};
}

}  // namespace thld
