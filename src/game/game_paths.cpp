#include "game/game_paths.h"

#include <vector>

#include "platform/code_page.h"
#include "platform/folder.h"

namespace thld {

namespace {

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool HasDrive(std::string_view path) { return path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == ':'; }

bool IsServerPath(std::string_view path, char sep) { return path.size() >= 2 && path[0] == sep && path[1] == sep; }

// How much of `path` is its root: "/", "C:\", "C:", "\\server\share\" or "\"; 0 for a relative path.
std::size_t RootLength(std::string_view path, PathStyle style)
{
    const char sep = SeparatorOf(style);
    if (style == PathStyle::Posix)
        return !path.empty() && path[0] == sep ? 1 : 0;
    if (HasDrive(path))
        return path.size() > 2 && path[2] == sep ? 3 : 2;
    if (IsServerPath(path, sep)) {
        std::size_t server = path.find(sep, 2);
        if (server == std::string_view::npos)
            return path.size();
        std::size_t share = path.find(sep, server + 1);
        return share == std::string_view::npos ? path.size() : share + 1;
    }
    return !path.empty() && path[0] == sep ? 1 : 0;
}

std::string WithSeparators(std::string_view text, char sep)
{
    std::string out(text);
    for (char& c : out) {
        if (c == '/' || c == '\\')
            c = sep;
    }
    return out;
}

}  // namespace

std::string ResolveFolderPath(std::string_view base, std::string_view path, PathStyle style)
{
    const char sep = SeparatorOf(style);
    const std::string from = WithSeparators(base, sep);
    const std::string named = WithSeparators(path, sep);

    std::string full;
    const std::size_t namedRoot = RootLength(named, style);
    if (namedRoot == 1 && style == PathStyle::Windows)
        full = from.substr(0, HasDrive(from) ? 2 : RootLength(from, style)) + named;  // the root of base's drive
    else if (namedRoot > 0)
        full = named;
    else
        full = from + (from.empty() || from.back() == sep ? "" : std::string(1, sep)) + named;
    if (style == PathStyle::Windows && IsServerPath(full, sep) && full.back() != sep)
        full += sep;

    const std::size_t rootLength = RootLength(full, style);
    std::string result = full.substr(0, rootLength);
    std::vector<std::string> parts;
    std::string_view rest = std::string_view(full).substr(rootLength);
    while (!rest.empty()) {
        std::size_t end = rest.find(sep);
        std::string_view part = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty() && parts.back() != "..")
                parts.pop_back();
            else if (rootLength == 0)
                parts.emplace_back(part);  // a relative base: keep what can't be resolved
            continue;
        }
        parts.emplace_back(part);
    }
    for (const std::string& part : parts)
        result += part + sep;
    if (result.empty())
        result = std::string(".") + sep;
    return result;
}

std::optional<std::string> EntryIgnoringCase(const std::string& folder, std::string_view name, bool foldersOnly)
{
    const auto counts = [&](const std::string& entry) {
        return foldersOnly ? IsFolder(folder + entry) : PathExists(folder + entry);
    };
    if (counts(std::string(name)))
        return std::string(name);
    for (const std::string& entry : FolderEntries(folder)) {
        if (EqualIgnoringAsciiCase(entry, name) && counts(entry))
            return entry;
    }
    return std::nullopt;
}

std::string FolderIgnoringCase(const std::string& folder, PathStyle style)
{
    const char sep = SeparatorOf(style);
    const std::size_t rootLength = RootLength(folder, style);
    std::string result = folder.substr(0, rootLength);
    std::string_view rest = std::string_view(folder).substr(rootLength);
    bool onDisk = true;  // whether `result` is still a folder that exists
    while (!rest.empty()) {
        std::size_t end = rest.find(sep);
        std::string part(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (onDisk) {
            std::optional<std::string> entry = EntryIgnoringCase(result, part, true);
            if (entry)
                part = *entry;
            else
                onDisk = false;
        }
        result += part + sep;
    }
    return result;
}

bool IsWithinFolder(std::string_view path, std::string_view folder, bool ignoreCase)
{
    if (folder.empty() || path.size() < folder.size())
        return false;
    std::string_view head = path.substr(0, folder.size());
    return ignoreCase ? EqualIgnoringAsciiCase(head, folder) : head == folder;
}

}  // namespace thld
