// The cache as one JSON object for scripts; its schema is in docs/USAGE.md. It is written as it
// goes, one package to a line, rather than built whole first: for ten thousand packages a document
// model would cost more than the listing's own search.
#include <charconv>
#include <cstdio>

#include "cache/index_text.h"
#include "cli/cache_view.h"
#include "cli/terminal_text.h"
#include "commands/messages.h"
#include "game/package_card.h"

namespace thld::cli {

namespace {

// A JSON string of the text as UTF-8 (see Utf8Text).
void AppendString(std::string& out, std::string_view raw)
{
    out += '"';
    for (char c : Utf8Text(raw)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

template <typename Number>
void AppendNumber(std::string& out, Number number)
{
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, number).ptr);
}

// "key": with the separator before it.
void AppendKey(std::string& out, const char* key, bool first = false)
{
    if (!first)
        out += ',';
    out += '"';
    out += key;
    out += "\":";
}

void AppendFolder(std::string& out, const char* key, const std::string& path, const std::string& source)
{
    AppendKey(out, key);
    out += "{\"path\":";
    if (path.empty())
        out += "null";
    else
        AppendString(out, path);
    out += ",\"source\":";
    AppendString(out, source);
    out += '}';
}

// The copy's word in the JSON: "none", "identical", "same_version" or "different".
const char* CopyToken(InstalledCopy copy)
{
    switch (copy) {
    case InstalledCopy::None:
        return "none";
    case InstalledCopy::Identical:
        return "identical";
    case InstalledCopy::SameVersion:
        return "same_version";
    case InstalledCopy::Different:
        return "different";
    }
    return "none";
}

void AppendTextOrNull(std::string& out, const char* key, const std::string* text)
{
    AppendKey(out, key);
    if (text && !text->empty())
        AppendString(out, *text);
    else
        out += "null";
}

void AppendPackage(std::string& out, const PackageItem& item, const InstalledPackages::Found* installed,
                   const std::string& cacheFolder)
{
    out += '{';
    AppendKey(out, "name", true);
    AppendString(out, item.name);
    AppendKey(out, "package");
    AppendString(out, PackageNameIn(item.name));
    AppendKey(out, "key");
    AppendString(out, item.key);
    AppendKey(out, "kind");
    AppendString(out, item.kind);
    AppendKey(out, "bytes");
    AppendNumber(out, item.size);
    AppendKey(out, "size");
    AppendString(out, item.sizeText);
    AppendKey(out, "modified");
    AppendNumber(out, item.modified);
    AppendKey(out, "modified_utc");
    AppendString(out, UtcText(item.modified));
    AppendKey(out, "requires");
    out += '[';
    for (std::size_t r = 0; r < item.requirements.size(); ++r) {
        if (r > 0)
            out += ',';
        AppendString(out, item.requirements[r]);
    }
    out += ']';
    // A map's title and author, read from its file only here: the table has no room for them.
    const std::optional<LevelFacts> level = ReadMapFacts(cacheFolder, item);
    AppendTextOrNull(out, "title", level ? &level->title : nullptr);
    AppendTextOrNull(out, "author", level ? &level->author : nullptr);
    AppendKey(out, "installed");
    if (!installed) {
        out += "null}";
        return;
    }
    out += "{\"copy\":";
    AppendString(out, CopyToken(installed->copy));
    out += ",\"path\":";
    if (installed->path.empty())
        out += "null";
    else
        AppendString(out, installed->path);
    out += "}}";
}

}  // namespace

void PrintJson(const CacheView& view, Console& console)
{
    const Installation& installation = view.installation;
    const std::vector<PackageItem>& items = view.listing.items;
    std::string out = "{\"schema\":1";
    AppendFolder(out, "game_folder", installation.folders.gameFolder, installation.gameSource);
    AppendFolder(out, "cache_folder", installation.folders.cacheFolder, installation.cacheSource);
    AppendKey(out, "index");
    AppendString(out, view.listing.indexPath);
    out += ",\n\"packages\":[";
    const char* separator = "\n";
    for (std::size_t i : view.order) {
        out += separator;
        AppendPackage(out, items[i], view.installed.empty() ? nullptr : &view.installed[i],
                      installation.folders.cacheFolder);
        separator = ",\n";
        if (out.size() > (1 << 16)) {
            console.Out(out);
            out.clear();
        }
    }
    out += "\n],\n\"total\":{\"packages\":";
    AppendNumber(out, items.size());
    AppendKey(out, "bytes");
    AppendNumber(out, view.listing.total);
    AppendKey(out, "text");
    AppendString(out, messages::TotalCache(view.listing.total));
    out += "}}\n";
    console.Out(out);
}

}  // namespace thld::cli
