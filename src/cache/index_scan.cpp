#include "cache/index_scan.h"

#include "cache/index_text.h"

namespace thld {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Cuts the bytes into lines, one at a time, at each `lineBreak`; before an LF, a CR belongs to the
// line end as well.
class LineCutter {
public:
    LineCutter(std::string_view bytes, std::size_t from, char lineBreak)
        : bytes_(bytes), next_(from), lineBreak_(lineBreak)
    {}

    // The next line as read, or nothing at the end; `begin` receives the offset of its first byte.
    std::optional<std::string_view> Next(std::size_t& begin)
    {
        if (next_ >= bytes_.size())
            return std::nullopt;
        begin = next_;
        std::size_t lineBreak = bytes_.find(lineBreak_, next_);
        if (lineBreak == std::string_view::npos) {
            next_ = bytes_.size();
            return bytes_.substr(begin);
        }
        next_ = lineBreak + 1;
        std::size_t end = lineBreak;
        if (lineBreak_ == '\n' && lineBreak > begin && bytes_[lineBreak - 1] == '\r')
            --end;
        return bytes_.substr(begin, end - begin);
    }

    std::size_t Offset() const { return next_; }

private:
    std::string_view bytes_;
    std::size_t next_;
    char lineBreak_;
};

bool EmptyOnceStripped(std::string_view text) { return text.find_first_not_of('\r') == std::string_view::npos; }

}  // namespace

IndexScan ScanIndex(std::string_view bytes)
{
    IndexScan scan;
    if (bytes.starts_with(kByteOrderMark))
        scan.markLength = kByteOrderMark.size();
    scan.anyLine = bytes.size() > scan.markLength;
    scan.tailBegin = bytes.size();

    // Only a file without a single LF is taken for one of CR line ends: in any other, a CR is part
    // of a line end before an LF and stray elsewhere, as it always was.
    const std::string_view lines = bytes.substr(scan.markLength);
    const bool crLines = lines.find('\n') == std::string_view::npos && lines.find('\r') != std::string_view::npos;
    if (crLines)
        scan.lineEnd = "\r";
    // A file of LF line ends without a single CR, as the native game writes it, keeps them.
    if (lines.find('\r') == std::string_view::npos && lines.find('\n') != std::string_view::npos)
        scan.lineEnd = "\n";
    LineCutter cutter(bytes, scan.markLength, crLines ? '\r' : '\n');
    int number = 0;
    std::size_t begin = 0;
    while (auto text = cutter.Next(begin)) {
        if (EmptyOnceStripped(*text))
            return scan;
        if (IsHeaderLine(StripLineBreaks(*text))) {
            scan.header = IndexLine{number, *text, 0};
            scan.headerBegin = begin;
            scan.bodyBegin = cutter.Offset();
            break;
        }
        ++number;
    }
    if (!scan.header)
        return scan;

    int entryNumber = number + 1;
    while (auto text = cutter.Next(begin)) {
        ++number;
        if (EmptyOnceStripped(*text)) {
            scan.tailBegin = begin;
            break;
        }
        // Stripping takes only CRs away, so the stripped text holds "=" exactly when the line does.
        bool entry = text->size() > 2 && text->find('=') != std::string_view::npos;
        scan.body.push_back(IndexLine{number, *text, entry ? entryNumber++ : 0});
    }
    return scan;
}

}  // namespace thld
