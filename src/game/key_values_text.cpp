#include "game/key_values_text.h"

#include "game/launcher_file.h"

namespace thld {

namespace {

constexpr std::size_t kDeepest = 32;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class Tokens {
public:
    explicit Tokens(std::string_view text) : text_(text) {}

    enum class Kind {
        End,
        Open,
        Close,
        Text,
        Bad
    };
    Kind Next(std::string& token)
    {
        SkipBlanksAndComments();
        if (at_ >= text_.size())
            return Kind::End;
        const char c = text_[at_];
        if (c == '{' || c == '}') {
            ++at_;
            return c == '{' ? Kind::Open : Kind::Close;
        }
        token.clear();
        if (c == '"')
            return Quoted(token) ? Kind::Text : Kind::Bad;
        while (at_ < text_.size() && !IsBlank(text_[at_]) && text_[at_] != '{' && text_[at_] != '}' &&
               text_[at_] != '"')
            token += text_[at_++];
        return Kind::Text;
    }

private:
    void SkipBlanksAndComments()
    {
        while (at_ < text_.size()) {
            if (IsBlank(text_[at_])) {
                ++at_;
            } else if (text_.substr(at_, 2) == "//") {
                const std::size_t end = text_.find('\n', at_);
                at_ = end == std::string_view::npos ? text_.size() : end + 1;
            } else {
                break;
            }
        }
    }
    // A quoted token; false when the quote never closes.
    bool Quoted(std::string& token)
    {
        for (++at_; at_ < text_.size(); ++at_) {
            char c = text_[at_];
            if (c == '"') {
                ++at_;
                return true;
            }
            if (c == '\\' && at_ + 1 < text_.size()) {
                c = text_[++at_];
                if (c == 'n')
                    c = '\n';
                else if (c == 't')
                    c = '\t';
            }
            token += c;
        }
        return false;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

KeyValuesText ReadKeyValuesText(std::string_view text)
{
    KeyValuesText read;
    Tokens tokens(text);
    std::vector<std::string> keys;  // of the open blocks
    std::string token;
    for (;;) {
        Tokens::Kind kind = tokens.Next(token);
        if (kind == Tokens::Kind::End) {
            if (!keys.empty())
                read.error = "a block never closes";
            return read;
        }
        if (kind == Tokens::Kind::Bad) {
            read.error = "a quoted text never closes";
            return read;
        }
        if (kind == Tokens::Kind::Close) {
            if (keys.empty()) {
                read.error = "a block closes that was never opened";
                return read;
            }
            keys.pop_back();
            continue;
        }
        if (kind == Tokens::Kind::Open) {
            read.error = "a block without a name";
            return read;
        }
        std::string key = LowerAscii(token);
        std::string value;
        kind = tokens.Next(value);
        if (kind == Tokens::Kind::Open) {
            if (keys.size() >= kDeepest) {
                read.error = "blocks nested too deep";
                return read;
            }
            keys.push_back(std::move(key));
        } else if (kind == Tokens::Kind::Text) {
            KeyValue one{keys, std::move(value)};
            one.keys.push_back(std::move(key));
            read.values.push_back(std::move(one));
        } else {
            read.error = kind == Tokens::Kind::Bad ? "a quoted text never closes" : "a name without a value";
            return read;
        }
    }
}

}  // namespace thld
