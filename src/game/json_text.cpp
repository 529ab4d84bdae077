#include "game/json_text.h"

#include "platform/utf16.h"

namespace thld {

namespace {

constexpr std::size_t kDeepest = 64;

class Reader {
public:
    explicit Reader(std::string_view text) : text_(text) {}

    bool Document(JsonValue& value)
    {
        if (!Value(value, 0))
            return false;
        SkipBlanks();
        return at_ == text_.size() || Fail("text after the end");
    }
    std::string error;

private:
    bool Fail(const char* why)
    {
        if (error.empty())
            error = std::string(why) + " at byte " + std::to_string(at_);
        return false;
    }
    void SkipBlanks()
    {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\r' || text_[at_] == '\n'))
            ++at_;
    }
    bool Take(char c)
    {
        SkipBlanks();
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }
    bool Word(std::string_view word, JsonValue& value, JsonValue::Type type)
    {
        if (text_.substr(at_, word.size()) != word)
            return Fail("an unknown word");
        value.type = type;
        value.text = std::string(word);
        at_ += word.size();
        return true;
    }
    bool Value(JsonValue& value, std::size_t depth)
    {
        if (depth > kDeepest)
            return Fail("nested too deep");
        SkipBlanks();
        if (at_ >= text_.size())
            return Fail("the text ends where a value should be");
        const char c = text_[at_];
        if (c == '{')
            return Object(value, depth);
        if (c == '[')
            return Array(value, depth);
        if (c == '"') {
            value.type = JsonValue::Type::String;
            return String(value.text);
        }
        if (c == 't')
            return Word("true", value, JsonValue::Type::Boolean);
        if (c == 'f')
            return Word("false", value, JsonValue::Type::Boolean);
        if (c == 'n')
            return Word("null", value, JsonValue::Type::Null);
        const std::size_t start = at_;
        while (at_ < text_.size() && std::string_view("+-0123456789.eE").find(text_[at_]) != std::string_view::npos)
            ++at_;
        if (at_ == start)
            return Fail("an unexpected character");
        value.type = JsonValue::Type::Number;
        value.text = std::string(text_.substr(start, at_ - start));
        return true;
    }
    bool Object(JsonValue& value, std::size_t depth)
    {
        value.type = JsonValue::Type::Object;
        ++at_;
        if (Take('}'))
            return true;
        do {
            SkipBlanks();
            std::string name;
            if (at_ >= text_.size() || text_[at_] != '"')
                return Fail("a member without a quoted name");
            if (!String(name))
                return false;
            if (!Take(':'))
                return Fail("a member without a colon");
            value.names.push_back(std::move(name));
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1))
                return false;
        } while (Take(','));
        return Take('}') || Fail("an object that never closes");
    }
    bool Array(JsonValue& value, std::size_t depth)
    {
        value.type = JsonValue::Type::Array;
        ++at_;
        if (Take(']'))
            return true;
        do {
            value.items.emplace_back();
            if (!Value(value.items.back(), depth + 1))
                return false;
        } while (Take(','));
        return Take(']') || Fail("an array that never closes");
    }
    // Four hex digits at `at_`; nothing where they are not there.
    std::optional<char16_t> Hex4()
    {
        if (text_.size() - at_ < 4)
            return std::nullopt;
        unsigned unit = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = text_[at_ + static_cast<std::size_t>(i)];
            unit <<= 4;
            if (c >= '0' && c <= '9')
                unit |= static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f')
                unit |= static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                unit |= static_cast<unsigned>(c - 'A' + 10);
            else
                return std::nullopt;
        }
        at_ += 4;
        return static_cast<char16_t>(unit);
    }
    bool String(std::string& out)
    {
        ++at_;                   // the opening quote
        std::u16string escaped;  // \u units waiting to be joined into characters
        const auto flush = [&] {
            if (!escaped.empty())
                out += Utf16ToUtf8(escaped);
            escaped.clear();
        };
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') {
                flush();
                return true;
            }
            if (c != '\\') {
                flush();
                out += c;
                continue;
            }
            if (at_ >= text_.size())
                break;
            const char e = text_[at_++];
            if (e == 'u') {
                std::optional<char16_t> unit = Hex4();
                if (!unit)
                    return Fail("a bad \\u escape");
                escaped += *unit;
                continue;
            }
            flush();
            switch (e) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            default:
                out += e;
            }
        }
        return Fail("a string that never closes");
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view name) const
{
    if (type != Type::Object)
        return nullptr;
    for (std::size_t i = 0; i < names.size() && i < items.size(); ++i) {
        if (names[i] == name)
            return &items[i];
    }
    return nullptr;
}

std::optional<std::string> JsonValue::StringMember(std::string_view name) const
{
    const JsonValue* member = Member(name);
    if (!member || member->type != Type::String)
        return std::nullopt;
    return member->text;
}

JsonText ReadJsonText(std::string_view text)
{
    JsonText read;
    Reader reader(text);
    if (!reader.Document(read.value)) {
        read.error = reader.error;
        read.value = JsonValue();
    }
    return read;
}

}  // namespace thld
