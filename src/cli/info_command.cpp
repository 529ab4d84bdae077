// tallyhold info NAME...: each package's card, as text or as JSON, and a map's screenshot as PNG.
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/game_cache.h"
#include "cli/png_file.h"
#include "cli/terminal_text.h"
#include "game/package_card.h"
#include "platform/folder.h"

namespace thld::cli {

namespace {

std::string Joined(const std::vector<std::string>& names)
{
    std::string joined;
    for (const std::string& name : names) {
        if (!joined.empty())
            joined.append(", ");
        joined.append(PrintableText(name));
    }
    return joined;
}

std::string CardText(const PackageCard& card, Console& console)
{
    std::string out = console.OutStyled(Style::Strong, PrintableText(card.name)) + "\n";
    auto line = [&out](const char* label, const std::string& value) {
        if (!value.empty())
            out += "  " + std::string(label) + std::string(12 - std::string_view(label).size(), ' ') + value + "\n";
    };
    line("Kind", std::string(card.kind));
    line("Size", card.sizeText + " (" + std::to_string(card.size) + " bytes)");
    line("Key", PrintableText(card.key));
    if (const auto& description = card.description) {
        line("GUID", description->header.guid.value_or(""));
        if (description->outcome != PackageDescription::Outcome::Unreadable || description->header.fileVersion)
            line("Version", std::to_string(description->header.fileVersion));
        if (const auto& level = description->level) {
            line("Title", PrintableText(level->title));
            line("Author", PrintableText(level->author));
            line("Players", PrintableText(level->idealPlayerCount));
            line("Enter text", PrintableText(level->enterText));
        }
        if (description->level || description->screenshot.state != ScreenshotFacts::State::None)
            line("Screenshot", PrintableText(ScreenshotText(description->screenshot)));
        if (description->outcome != PackageDescription::Outcome::Unreadable)
            line("Imports", std::to_string(description->importCount) +
                                (description->importedPackages.empty()
                                     ? std::string()
                                     : " (packages: " + Joined(description->importedPackages) + ")"));
        if (description->exportCount)
            line("Objects", std::to_string(*description->exportCount));
        line("Problem", PrintableText(description->reason));
    }
    line("Requires", card.requirements.empty() ? std::string("no cached package") : Joined(card.requirements));
    line("Offline", PrintableText(OfflineText(card)));
    return out;
}

nlohmann::json TextOrNull(const std::string& text)
{
    return text.empty() ? nlohmann::json() : nlohmann::json(Utf8Text(text));
}

nlohmann::json CardJson(const PackageCard& card)
{
    nlohmann::json json = {{"name", Utf8Text(card.name)},
                           {"key", Utf8Text(card.key)},
                           {"kind", std::string(card.kind)},
                           {"bytes", card.size},
                           {"size", card.sizeText}};
    const PackageDescription* description = card.description ? &*card.description : nullptr;
    const bool header = description && description->outcome != PackageDescription::Outcome::Unreadable;
    json["guid"] = header && description->header.guid ? nlohmann::json(*description->header.guid) : nlohmann::json();
    json["file_version"] = header ? nlohmann::json(description->header.fileVersion) : nlohmann::json();
    json["imports"] = header ? nlohmann::json(description->importCount) : nlohmann::json();
    nlohmann::json imported = nlohmann::json::array();
    if (header)
        for (const std::string& name : description->importedPackages)
            imported.push_back(Utf8Text(name));
    json["imported_packages"] = imported;
    json["objects"] =
        description && description->exportCount ? nlohmann::json(*description->exportCount) : nlohmann::json();
    const LevelFacts* level = description && description->level ? &*description->level : nullptr;
    json["title"] = level ? TextOrNull(level->title) : nlohmann::json();
    json["author"] = level ? TextOrNull(level->author) : nlohmann::json();
    json["players"] = level ? TextOrNull(level->idealPlayerCount) : nlohmann::json();
    json["enter_text"] = level ? TextOrNull(level->enterText) : nlohmann::json();
    json["screenshot"] = nlohmann::json();
    if (description && (level || description->screenshot.state != ScreenshotFacts::State::None)) {
        const ScreenshotFacts& shot = description->screenshot;
        json["screenshot"] = {{"text", Utf8Text(ScreenshotText(shot))}, {"texture", TextOrNull(shot.texture)}};
        if (shot.state == ScreenshotFacts::State::Shown)
            json["screenshot"].update({{"width", shot.image.width},
                                       {"height", shot.image.height},
                                       {"format", TextureFormatText(shot.format)}});
    }
    json["problem"] = description ? TextOrNull(description->reason) : nlohmann::json();
    nlohmann::json required = nlohmann::json::array();
    for (const std::string& name : card.requirements)
        required.push_back(Utf8Text(name));
    json["requires"] = required;
    nlohmann::json missing = nlohmann::json::array();
    for (const MissingImport& import : card.missing)
        missing.push_back(Utf8Text(import.package));
    json["offline"] =
        card.offline == PackageCard::Offline::NotAsked
            ? nlohmann::json()
            : nlohmann::json{{"loads", card.offline == PackageCard::Offline::NotKnown
                                           ? nlohmann::json()
                                           : nlohmann::json(card.offline == PackageCard::Offline::WillLoad)},
                             {"missing", missing},
                             {"text", Utf8Text(OfflineText(card))}};
    return json;
}

}  // namespace

int InfoCommand(const Options& options, Console& console)
{
    if (options.screenshotFile && options.names.size() != 1)
        throw Failure("--screenshot writes the screenshot of one map: name one package");
    if (options.screenshotFile && PathExists(*options.screenshotFile))
        throw Failure(PrintableText(*options.screenshotFile) +
                      " exists already: the screenshot goes to a new file only");
    const Installation installation = FindGame(options.folders, false, console);
    const Listing listing = ReadCache(installation, console, InstalledCopies::Skip).listing;
    const std::vector<PackageItem>& items = listing.items;
    const std::vector<std::size_t> named = NamedOrFail(items, options.names);
    const OfflineCheck offline(installation.folders, items);
    std::string out;
    nlohmann::json cards = nlohmann::json::array();
    for (std::size_t item : named) {
        PackageCard card = ReadPackageCard(installation.folders.cacheFolder, items[item], ScreenshotWanted::Yes);
        AddRequirements(card, items, item, offline);
        if (options.screenshotFile) {
            const ScreenshotFacts* shot = card.description ? &card.description->screenshot : nullptr;
            if (!shot || shot->state != ScreenshotFacts::State::Shown)
                throw Failure(PrintableText(card.name) + " has no screenshot to write" +
                              (shot && shot->state != ScreenshotFacts::State::None
                                   ? ": " + PrintableText(ScreenshotText(*shot))
                                   : std::string()));
            WritePngFile(*options.screenshotFile, shot->image);
        }
        if (options.json)
            cards.push_back(CardJson(card));
        else
            out += (out.empty() ? std::string() : std::string("\n")) + CardText(card, console);
    }
    if (options.json)
        out = nlohmann::json{{"schema", 1}, {"packages", cards}}.dump() + "\n";
    if (options.screenshotFile)
        out += "Wrote the screenshot to " + PrintableText(*options.screenshotFile) + "\n";
    console.Out(out);
    return kExitDone;
}

}  // namespace thld::cli
