#include "cache/index_text.h"

#include <array>

#include "platform/code_page.h"

namespace thld {

namespace {

bool EndsWithIgnoringCase(std::string_view text, std::string_view tail)
{
    return text.size() >= tail.size() && EqualIgnoringAsciiCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace

std::string StripLineBreaks(std::string_view line)
{
    if (line.find('\r') == std::string_view::npos && line.find('\n') == std::string_view::npos)
        return std::string(line);  // nearly every line
    std::string stripped;
    stripped.reserve(line.size());
    for (char c : line)
        if (c != '\r')
            stripped += c;
    std::erase(stripped, '\n');
    return stripped;
}

bool IsHeaderLine(std::string_view line)
{
    // Only ASCII letters are upper-cased: the lead byte of a multi-byte character never equals a
    // byte of "[CACHE]", so the comparison fails there before any trail byte is looked at.
    constexpr std::string_view kHeader = "[CACHE]";
    if (line.size() < kHeader.size())
        return false;
    for (std::size_t i = 0; i < kHeader.size(); ++i)
        if (UpperAscii(line[i]) != kHeader[i])
            return false;
    return true;
}

std::optional<EntryText> SplitEntryText(std::string_view strippedLine)
{
    auto at = strippedLine.find('=');
    if (at == std::string_view::npos)
        return std::nullopt;
    return EntryText{strippedLine.substr(0, at), strippedLine.substr(at + 1)};
}

std::optional<CacheEntry> SplitEntryLine(std::string_view strippedLine)
{
    auto parts = SplitEntryText(strippedLine);
    if (!parts)
        return std::nullopt;
    return CacheEntry{std::string(parts->key), std::string(parts->value)};
}

std::string_view PackageNameIn(std::string_view value)
{
    constexpr std::array<std::string_view, 5> kExtensions{".u", ".unr", ".utx", ".uax", ".umx"};
    for (std::string_view extension : kExtensions) {
        // A value that is nothing but the extension names no package: it stays as it is.
        if (value.size() > extension.size() && EndsWithIgnoringCase(value, extension))
            return value.substr(0, value.size() - extension.size());
    }
    return value;
}

std::string PackageNameOf(std::string_view value) { return std::string(PackageNameIn(value)); }

}  // namespace thld
