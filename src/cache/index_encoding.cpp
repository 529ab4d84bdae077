#include "cache/index_encoding.h"

#include <algorithm>

#include "cache/index_file.h"
#include "platform/code_page.h"
#include "platform/utf16.h"

namespace thld {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

IndexText DecodeIndex(std::string bytes)
{
    IndexText decoded;
    const std::string_view start(bytes);
    if (!start.starts_with(kUtf16Mark)) {
        decoded.encoding = start.starts_with(kUtf8Mark) ? IndexEncoding::Utf8 : IndexEncoding::CodePage;
        decoded.text = std::move(bytes);
        return decoded;
    }
    decoded.encoding = IndexEncoding::Utf16;
    if (bytes.size() % 2 != 0) {
        decoded.oddByte = bytes.substr(bytes.size() - 1);
        bytes.pop_back();
    }
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    decoded.text = Utf16ToUtf8(units);
    return decoded;
}

std::string IndexText::Encode(std::string_view newText) const
{
    if (encoding != IndexEncoding::Utf16)
        return std::string(newText);
    const std::u16string units = Utf8ToUtf16(newText);
    std::string bytes;
    bytes.reserve(2 * units.size() + oddByte.size());
    for (char16_t unit : units) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes + oddByte;
}

std::string IndexText::NameOf(std::string_view piece) const
{
    if (encoding != IndexEncoding::CodePage)
        return std::string(piece);
    return TextFromCodePage(piece);
}

bool IndexText::NameIs(std::string_view piece, std::string_view name) const
{
    if (encoding != IndexEncoding::CodePage || IsAscii(piece))
        return piece == name;
    return TextFromCodePage(piece) == name;
}

std::string IndexText::LineOf(std::string_view strippedLine) const
{
    if (encoding != IndexEncoding::CodePage)
        return std::string(strippedLine);
    const auto at = strippedLine.find('=');
    if (at == std::string_view::npos)
        return TextFromCodePage(strippedLine);
    return TextFromCodePage(strippedLine.substr(0, at)) + "=" + TextFromCodePage(strippedLine.substr(at + 1));
}

std::optional<IndexText> ReadIndexText(const std::string& path)
{
    auto bytes = ReadIndexFile(path);
    if (!bytes)
        return std::nullopt;
    return DecodeIndex(std::move(*bytes));
}

}  // namespace thld
