#include "index_model.h"

#include <algorithm>
#include <cctype>

#include "platform/utf16.h"

namespace thld::fuzz {

std::string Stripped(std::string_view text)
{
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n')
            out.push_back(c);
    return out;
}

namespace {

bool IsHeader(const std::string& stripped)
{
    if (stripped.size() < 7)
        return false;
    std::string first = stripped.substr(0, 7);
    for (char& c : first)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return first == "[CACHE]";
}

}  // namespace

ModelIndex ModelOf(std::string_view fileBytes)
{
    ModelIndex model;
    std::string decoded;
    std::string_view bytes = fileBytes;
    if (fileBytes.substr(0, 2) == "\xFF\xFE") {
        model.utf16 = true;
        std::u16string units;
        for (std::size_t i = 0; i + 1 < fileBytes.size(); i += 2)
            units.push_back(static_cast<char16_t>(static_cast<unsigned char>(fileBytes[i]) |
                                                  static_cast<unsigned char>(fileBytes[i + 1]) << 8));
        if (fileBytes.size() % 2)
            model.oddByte = fileBytes.substr(fileBytes.size() - 1);
        decoded = Utf16ToUtf8(units);
        bytes = decoded;
    }
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        model.mark = true;
        bytes.remove_prefix(3);
    }
    const bool crLines = bytes.find('\n') == std::string_view::npos && bytes.find('\r') != std::string_view::npos;
    if (crLines)
        model.lineEnd = "\r";
    if (bytes.find('\r') == std::string_view::npos && bytes.find('\n') != std::string_view::npos)
        model.lineEnd = "\n";
    ModelLine line;
    for (char c : bytes) {
        if (crLines && c == '\r') {
            line.end = "\r";
            model.lines.push_back(line);
            line = ModelLine{};
            continue;
        }
        if (c != '\n') {
            line.text.push_back(c);
            continue;
        }
        line.end = "\n";
        if (!line.text.empty() && line.text.back() == '\r') {
            line.text.pop_back();
            line.end = "\r\n";
        }
        model.lines.push_back(line);
        line = ModelLine{};
    }
    if (!line.text.empty())
        model.lines.push_back(line);

    int n = static_cast<int>(model.lines.size());
    model.indexEnd = n;
    for (int i = 0; i < n; ++i) {
        std::string s = Stripped(model.lines[i].text);
        if (s.empty())
            break;
        if (IsHeader(s)) {
            model.header = i;
            break;
        }
    }
    if (model.header < 0)
        return model;
    for (int i = model.header + 1; i < n; ++i) {
        std::string s = Stripped(model.lines[i].text);
        if (s.empty()) {
            model.indexEnd = i;
            break;
        }
        if (model.lines[i].text.size() > 2 && s.find('=') != std::string::npos)
            model.entryLines.push_back(i);
    }
    return model;
}

std::string Rewritten(const ModelIndex& model, int removed)
{
    std::string out = model.mark ? "\xEF\xBB\xBF" : "";
    for (int i = 0; i < static_cast<int>(model.lines.size()); ++i) {
        const ModelLine& line = model.lines[i];
        bool inIndex = i >= model.header && i < model.indexEnd;
        if (i == removed)
            continue;
        out += inIndex ? Stripped(line.text) + model.lineEnd : line.text + line.end;
    }
    if (!model.utf16)
        return out;
    std::string bytes;
    for (char16_t unit : Utf8ToUtf16(out)) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes + model.oddByte;
}

std::string ValueOfLine(const std::string& stripped) { return stripped.substr(stripped.find('=') + 1); }
std::string KeyOfLine(const std::string& stripped) { return stripped.substr(0, stripped.find('=')); }

}  // namespace thld::fuzz
