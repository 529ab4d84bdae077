#include "cache/index_rewrite.h"

#include <map>
#include <optional>
#include <set>

#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "platform/code_page.h"
#include "platform/file.h"

namespace thld {

namespace {

// The new index and the new backup are written under these names beside cache.ini, complete and
// flushed, before either takes its place.
constexpr const char* kNewIndexName = "cache.ini.new";
constexpr const char* kNewBackupName = "cache.bak.new";

struct NewContent {
    std::string bytes;
    std::map<int, std::string> removed;  // the stripped lines left out, by number
};

// The former text with the index's lines stripped and ended as the scan says (CR LF, CR or LF),
// without the entry line `lineNumber` and with `added` (already in the file's text) after the last
// line of the index. The mark, the lines before the header, and the line that ends the index with
// all after it, stay as they are.
NewContent BuildNewContent(std::string_view former, const IndexScan& scan, const std::set<int>& lineNumbers,
                           std::string_view added = {})
{
    NewContent content;
    content.bytes.reserve(former.size() + 2 * scan.body.size() + 2);
    content.bytes.append(former.substr(0, scan.headerBegin));
    content.bytes += StripLineBreaks(scan.header->text);
    content.bytes += scan.lineEnd;
    for (const IndexLine& line : scan.body) {
        std::string stripped = StripLineBreaks(line.text);
        if (line.IsEntry() && lineNumbers.contains(line.number)) {
            content.removed.emplace(line.number, std::move(stripped));
            continue;
        }
        content.bytes += stripped;
        content.bytes += scan.lineEnd;
    }
    if (!added.empty()) {
        content.bytes += added;
        content.bytes += scan.lineEnd;
    }
    content.bytes.append(former.substr(scan.tailBegin));
    return content;
}

void RemoveIfThere(const std::string& path)
{
    try {
        RemoveFile(path);
    } catch (const FileError&) {
        // Nothing more can be done about it here; the error that led here is the one to report.
    }
}

void WriteWhole(OutputFile& file, std::string_view bytes)
{
    file.Write(bytes);
    file.Flush();
    file.Close();
}

// Puts the new content in place of cache.ini, keeping the former file as cache.bak. Both are
// written whole under names of their own first; then cache.bak and cache.ini are each replaced in
// one step. So cache.ini is always there and complete, the former one until the very last step and
// the new one after it, with cache.bak already holding the former file by then, whatever fails or
// wherever the program dies. Nothing written is left behind after a failure.
void ReplaceIndex(const std::string& cacheFolder, std::optional<OutputFile>& newIndex, std::string_view content,
                  std::string_view former)
{
    const std::string newIndexPath = cacheFolder + kNewIndexName;
    const std::string newBackupPath = cacheFolder + kNewBackupName;
    bool backupCreated = false;
    try {
        WriteWhole(*newIndex, content);
        OutputFile newBackup = OutputFile::Create(newBackupPath);
        backupCreated = true;
        WriteWhole(newBackup, former);
        ReplaceFileAtomically(newBackupPath, cacheFolder + kBackupFileName);
        backupCreated = false;
        ReplaceFileAtomically(newIndexPath, IndexPathOf(cacheFolder));
    } catch (...) {
        newIndex.reset();  // a handle still open would keep the file from going
        RemoveIfThere(newIndexPath);
        if (backupCreated)
            RemoveIfThere(newBackupPath);
        throw;
    }
}

// The program's text of a line in the file's own text; nothing when a file in the system code page
// can't hold it.
std::optional<std::string> FileTextOf(const IndexText& decoded, const std::string& line)
{
    if (decoded.encoding != IndexEncoding::CodePage)
        return line;
    if (TextFromCodePage(line) != line)
        return std::nullopt;  // only text that reads back as itself is written into such a file
    return line;
}

}  // namespace

AddedLine AddEntryLine(const std::string& cacheFolder, const std::string& line)
{
    auto formerBytes = ReadIndexFile(IndexPathOf(cacheFolder));
    if (!formerBytes)
        return AddedLine::Unreadable;
    const std::string former = *formerBytes;
    const IndexText decoded = DecodeIndex(std::move(*formerBytes));
    const IndexScan scan = ScanIndex(decoded.text);
    if (!scan.header)
        return AddedLine::NoHeader;
    const std::optional<std::string> added = FileTextOf(decoded, line);
    if (!added || added->empty() || added->find_first_of("\r\n") != std::string::npos)
        return AddedLine::NotWritable;
    const std::string content = decoded.Encode(BuildNewContent(decoded.text, scan, {}, *added).bytes);

    std::optional<OutputFile> newIndex;
    try {
        newIndex.emplace(OutputFile::Create(cacheFolder + kNewIndexName));
    } catch (const FileError&) {
        return AddedLine::NotCreated;
    }
    ReplaceIndex(cacheFolder, newIndex, content, former);
    return AddedLine::Added;
}

std::vector<RemovedLine> RemoveEntryLines(const std::string& cacheFolder, const std::vector<int>& lineNumbers)
{
    auto all = [&](RemovedLine::Outcome outcome) {
        return std::vector<RemovedLine>(lineNumbers.size(), RemovedLine{outcome, ""});
    };
    const std::string indexPath = IndexPathOf(cacheFolder);
    auto formerBytes = ReadIndexFile(indexPath);
    if (!formerBytes)
        return all(RemovedLine::Outcome::Unreadable);
    const std::string former = *formerBytes;
    const IndexText decoded = DecodeIndex(std::move(*formerBytes));
    IndexScan scan = ScanIndex(decoded.text);
    if (!scan.header)
        return all(RemovedLine::Outcome::NoHeader);
    NewContent content = BuildNewContent(decoded.text, scan, std::set<int>(lineNumbers.begin(), lineNumbers.end()));
    content.bytes = decoded.Encode(content.bytes);

    std::optional<OutputFile> newIndex;
    try {
        newIndex.emplace(OutputFile::Create(cacheFolder + kNewIndexName));
    } catch (const FileError&) {
        return all(RemovedLine::Outcome::NotCreated);
    }
    ReplaceIndex(cacheFolder, newIndex, content.bytes, former);

    std::vector<RemovedLine> removed;
    removed.reserve(lineNumbers.size());
    for (int number : lineNumbers) {
        const auto line = content.removed.find(number);
        if (line != content.removed.end())
            removed.push_back({RemovedLine::Outcome::Removed, decoded.LineOf(line->second)});
        else
            removed.push_back({RemovedLine::Outcome::NoSuchLine, decoded.LineOf(StripLineBreaks(scan.header->text))});
    }
    return removed;
}

RemovedLine RemoveEntryLine(const std::string& cacheFolder, int lineNumber)
{
    return RemoveEntryLines(cacheFolder, {lineNumber}).front();
}

}  // namespace thld
