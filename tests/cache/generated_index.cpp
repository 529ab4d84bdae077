#include "generated_index.h"

namespace thld::test {

namespace {

std::string Stripped(const std::string& text)
{
    std::string out;
    for (char c : text)
        if (c != '\r')
            out += c;
    return out;
}

class Maker {
public:
    explicit Maker(std::mt19937& random) : random_(random) {}

    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool OneIn(int n) { return Below(n) == 0; }

    // Text of any bytes but LF: letters, "=", blanks, brackets, CRs, NULs and bytes above 127.
    std::string Text(int maxLength)
    {
        static const std::string kPool = std::string("ABCDEFabcxyz0123456789 \t=[].-_\r\x80\xC3\xA9\xFF") + '\0';
        std::string text;
        for (int n = Below(maxLength + 1); n > 0; --n)
            text += kPool[Below(static_cast<int>(kPool.size()))];
        return text;
    }

    std::string Key()
    {
        static const std::string kHex = "0123456789ABCDEF";
        std::string key;
        for (int n = OneIn(4) ? 1 + Below(6) : 32; n > 0; --n)
            key += kHex[Below(16)];
        return key;
    }

    // A line for inside the index: never empty once stripped.
    std::string IndexLineText()
    {
        switch (Below(9)) {
        case 0:
            return std::string(1, "xk=\xE9"[Below(4)]);
        case 1:
            return OneIn(2) ? "k=" : "=v";
        case 2:
            return "[Other]";
        case 3:
            return "no equals sign" + Text(3);
        case 4:
            return Key() + "=" + std::string(5000 + Below(20000), 'L');
        case 5:
            return Key() + "=" + Text(12) + "x";
        default:
            return Key() + "=" + Text(4) + "Package" + Text(4) + ".unr";
        }
    }

    std::string Header()
    {
        static const char* kHeaders[] = {"[Cache]", "[cache]", "[CACHE] with more", "[Ca\rche]", "[Cache]=x"};
        return kHeaders[Below(5)];
    }

    // Before the header: never a header and never empty once stripped.
    std::string TopLineText() { return (OneIn(2) ? ";" : "Top=") + Text(10); }

    std::string AnyText() { return OneIn(4) ? Header() : OneIn(4) ? "" : Text(15); }

    void Add(GeneratedIndex& index, std::string text)
    {
        std::string end = OneIn(3) ? "\n" : "\r\n";
        if (!text.empty() && text.back() == '\r')
            end = "\r\n";  // a CR at the end of the text before a lone LF would belong to the line end
        index.lines.push_back({std::move(text), end});
    }

private:
    std::mt19937& random_;
};

}  // namespace

std::string GeneratedIndex::Bytes() const
{
    std::string bytes = mark ? "\xEF\xBB\xBF" : "";
    for (const GeneratedLine& line : lines)
        bytes += line.text + line.end;
    return bytes;
}

bool GeneratedIndex::IsEntryLine(int number) const
{
    if (header < 0 || number <= header || number >= indexEnd)
        return false;
    const std::string& text = lines[number].text;
    return text.size() > 2 && text.find('=') != std::string::npos;
}

std::string GeneratedIndex::Rewritten(int removed) const
{
    const std::string former = Bytes();
    const bool lfLines = former.find('\r') == std::string::npos && former.find('\n') != std::string::npos;
    std::string bytes = mark ? "\xEF\xBB\xBF" : "";
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        if (i == removed && IsEntryLine(i))
            continue;
        bool inIndex = header >= 0 && i >= header && i < indexEnd;
        bytes += inIndex ? Stripped(lines[i].text) + (lfLines ? "\n" : "\r\n") : lines[i].text + lines[i].end;
    }
    return bytes;
}

GeneratedIndex GenerateIndex(std::mt19937& random)
{
    Maker make(random);
    GeneratedIndex index;
    index.mark = make.OneIn(4);
    for (int n = make.OneIn(2) ? 0 : make.Below(4); n > 0; --n)
        make.Add(index, make.TopLineText());
    if (!make.OneIn(8)) {
        index.header = static_cast<int>(index.lines.size());
        make.Add(index, make.Header());
        for (int n = make.Below(12); n > 0; --n)
            make.Add(index, make.IndexLineText());
    }
    index.indexEnd = static_cast<int>(index.lines.size());
    if (make.OneIn(2)) {
        make.Add(index, std::string(make.Below(3), '\r'));
        for (int n = make.Below(5); n > 0; --n)
            make.Add(index, make.AnyText());
    }
    // The last line without a line end, where that still leaves a line and an LF in the file (a file
    // without any LF is one of CR line ends).
    if (index.lines.size() > 1 && !index.lines.back().text.empty() && make.OneIn(3))
        index.lines.back().end.clear();
    return index;
}

}  // namespace thld::test
