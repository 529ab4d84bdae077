#include "game/wine_registry.h"

#include "game/game_paths.h"
#include "game/launcher_file.h"
#include "platform/utf16.h"

namespace thld {

namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// An escaped text from `at` up to the unescaped `end` character; `at` is left after it. Nothing
// when `end` never comes.
std::optional<std::string> Escaped(std::string_view line, std::size_t& at, char end)
{
    std::u16string units;
    std::string out;
    const auto flush = [&] {
        if (!units.empty())
            out += Utf16ToUtf8(units);
        units.clear();
    };
    while (at < line.size()) {
        const char c = line[at++];
        if (c == end) {
            flush();
            return out;
        }
        if (c != '\\' || at >= line.size()) {
            flush();
            out += c;
            continue;
        }
        const char e = line[at++];
        if (e == 'x') {
            unsigned unit = 0;
            int digits = 0;
            while (digits < 4 && at < line.size() && HexDigit(line[at]) >= 0) {
                unit = unit * 16 + static_cast<unsigned>(HexDigit(line[at++]));
                ++digits;
            }
            units += static_cast<char16_t>(unit);
            continue;
        }
        flush();
        out += e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e == '0' ? '\0' : e;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> WineRegistry::Value(std::string_view key, std::string_view name) const
{
    const std::string wantedKey = LowerAscii(key), wantedName = LowerAscii(name);
    for (const Key& one : keys) {
        if (LowerAscii(one.name) != wantedKey)
            continue;
        for (const auto& [valueName, text] : one.strings) {
            if (LowerAscii(valueName) == wantedName)
                return text;
        }
    }
    return std::nullopt;
}

std::vector<std::string> WineRegistry::Subkeys(std::string_view key) const
{
    const std::string parent = LowerAscii(key) + "\\";
    std::vector<std::string> names;
    for (const Key& one : keys) {
        const std::string lower = LowerAscii(one.name);
        if (lower.size() > parent.size() && lower.compare(0, parent.size(), parent) == 0 &&
            lower.find('\\', parent.size()) == std::string::npos)
            names.push_back(one.name.substr(parent.size()));
    }
    return names;
}

WineRegistryText ReadWineRegistryText(std::string_view text)
{
    WineRegistryText read;
    constexpr std::string_view kHeader = "WINE REGISTRY Version 2";
    if (text.substr(0, kHeader.size()) != kHeader) {
        read.error = "no \"WINE REGISTRY Version 2\" header";
        return read;
    }
    WineRegistry::Key* current = nullptr;
    std::string joined;  // a line continued with a backslash at its end
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view part = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!part.empty() && part.back() == '\r')
            part.remove_suffix(1);
        if (!joined.empty()) {  // a continued line's leading blanks are no part of it
            while (!part.empty() && (part.front() == ' ' || part.front() == '\t'))
                part.remove_prefix(1);
        }
        if (!part.empty() && part.back() == '\\' && !text.empty()) {
            joined.append(part.substr(0, part.size() - 1));
            continue;
        }
        joined.append(part);
        const std::string line = std::move(joined);
        joined.clear();
        std::size_t at = 1;
        if (!line.empty() && line[0] == '[') {
            std::optional<std::string> name = Escaped(line, at, ']');
            current = nullptr;
            if (name) {
                read.registry.keys.push_back({std::move(*name), {}});
                current = &read.registry.keys.back();
            }
            continue;
        }
        if (!current || line.empty() || line[0] != '"')
            continue;
        std::optional<std::string> name = Escaped(line, at, '"');
        if (!name || line.compare(at, 1, "=") != 0)
            continue;
        ++at;
        if (line.compare(at, 7, "str(2):") == 0)
            at += 7;
        if (line.compare(at, 1, "\"") != 0)
            continue;  // not a string
        ++at;
        if (std::optional<std::string> value = Escaped(line, at, '"'))
            current->strings.emplace_back(std::move(*name), std::move(*value));
    }
    return read;
}

std::optional<std::string> FolderInWinePrefix(const std::string& prefix, std::string_view windowsPath)
{
    if (windowsPath.size() < 3 || windowsPath[1] != ':' || (windowsPath[2] != '\\' && windowsPath[2] != '/'))
        return std::nullopt;
    const char drive = windowsPath[0];
    if (!((drive >= 'a' && drive <= 'z') || (drive >= 'A' && drive <= 'Z')))
        return std::nullopt;
    // Resolved as a Windows path first, so that ".." stays on its drive.
    const std::string resolved = ResolveFolderPath("", windowsPath, PathStyle::Windows);
    std::string folder = prefix + (prefix.empty() || prefix.back() == '/' ? "" : "/") + "dosdevices/" +
                         static_cast<char>(drive >= 'A' && drive <= 'Z' ? drive - 'A' + 'a' : drive) + ":/";
    for (std::size_t i = 3; i < resolved.size(); ++i)
        folder += resolved[i] == '\\' ? '/' : resolved[i];
    return FolderIgnoringCase(folder, PathStyle::Posix);
}

}  // namespace thld
