#include "cache/step_journal.h"

#include <algorithm>
#include <array>

namespace thld {

namespace {

constexpr std::string_view kFirstLine = "tallyhold step 1";
constexpr std::string_view kLastLine = "end";
constexpr std::size_t kMaxFieldBytes = 8 * 1024;

std::string Escaped(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || c == '%') {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else {
            out += c;
        }
    }
    return out;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> Unescaped(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size())
            return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

struct Field {
    std::string_view name;
    std::string StepJournal::*member;
};
constexpr std::array<Field, 5> kFields{{{"line", &StepJournal::line},
                                        {"source", &StepJournal::source},
                                        {"aside", &StepJournal::aside},
                                        {"destination", &StepJournal::destination},
                                        {"game", &StepJournal::gameFolder}}};

constexpr std::array<std::pair<std::string_view, StepJournal::Kind>, 3> kKinds{
    {{"delete", StepJournal::Kind::Delete}, {"move", StepJournal::Kind::Move}, {"return", StepJournal::Kind::Return}}};

std::string_view KindWord(StepJournal::Kind kind)
{
    for (const auto& [word, k] : kKinds)
        if (k == kind)
            return word;
    return {};
}

}  // namespace

std::string EncodeStepJournal(const StepJournal& record)
{
    std::string out(kFirstLine);
    out += '\n';
    out += "step=";
    out += KindWord(record.kind);
    out += '\n';
    for (const Field& field : kFields) {
        out += field.name;
        out += '=';
        out += Escaped(record.*field.member);
        out += '\n';
    }
    out += kLastLine;
    out += '\n';
    return out;
}

std::optional<StepJournal> ParseStepJournal(std::string_view bytes)
{
    if (bytes.size() > kMaxStepJournalBytes)
        return std::nullopt;
    StepJournal record;
    bool kindSeen = false;
    std::array<bool, kFields.size()> seen{};
    bool ended = false;
    std::size_t at = 0;
    for (int number = 0; at < bytes.size(); ++number) {
        const std::size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos || ended)
            return std::nullopt;  // a line cut short, or anything after the end line
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        if (number == 0) {
            if (line != kFirstLine)
                return std::nullopt;
            continue;
        }
        if (line == kLastLine) {
            ended = true;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return std::nullopt;
        const std::string_view name = line.substr(0, equals);
        const std::string_view value = line.substr(equals + 1);
        if (name == "step") {
            const auto kind =
                std::find_if(kKinds.begin(), kKinds.end(), [&](const auto& k) { return k.first == value; });
            if (kindSeen || kind == kKinds.end())
                return std::nullopt;
            kindSeen = true;
            record.kind = kind->second;
            continue;
        }
        std::size_t i = 0;
        while (i < kFields.size() && kFields[i].name != name)
            ++i;
        if (i == kFields.size() || seen[i] || value.size() > kMaxFieldBytes)
            return std::nullopt;
        auto text = Unescaped(value);
        if (!text)
            return std::nullopt;
        seen[i] = true;
        record.*kFields[i].member = std::move(*text);
    }
    for (bool s : seen)
        if (!s)
            return std::nullopt;
    if (!ended || !kindSeen)
        return std::nullopt;
    return record;
}

std::string EncodeStepJournals(const std::vector<StepJournal>& records)
{
    std::string out;
    for (const StepJournal& record : records)
        out += EncodeStepJournal(record);
    return out;
}

std::optional<std::vector<StepJournal>> ParseStepJournals(std::string_view bytes)
{
    if (bytes.empty() || bytes.size() > kMaxStepJournalFileBytes)
        return std::nullopt;
    // Fields escape every line break, so a line "end" can only be a record's last.
    const std::string ending = std::string("\n") + std::string(kLastLine) + "\n";
    std::vector<StepJournal> records;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find(ending, at);
        if (end == std::string_view::npos)
            return std::nullopt;
        auto record = ParseStepJournal(bytes.substr(at, end + ending.size() - at));
        if (!record)
            return std::nullopt;
        records.push_back(std::move(*record));
        at = end + ending.size();
    }
    return records;
}

}  // namespace thld
