#include "cache/index_rewrite.h"

#include <optional>

#include "cache/cache_index.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "platform/file.h"

namespace thld {

namespace {

// The new file is written under this name beside cache.ini and then moved into place.
constexpr const char* kNewFileName = "cache.ini.new";

struct NewContent {
    std::string bytes;
    std::optional<std::string> removed;  // the stripped line left out, if any
};

// The former file with the index's lines stripped and ended in CR LF, and without the entry line
// `lineNumber`. The mark, the lines before the header, and the line that ends the index with all
// after it, stay byte for byte.
NewContent BuildNewContent(std::string_view former, const IndexScan& scan, int lineNumber)
{
    NewContent content;
    content.bytes.reserve(former.size() + 2 * scan.body.size() + 2);
    content.bytes.append(former.substr(0, scan.headerBegin));
    content.bytes += StripLineBreaks(scan.header->text);
    content.bytes += "\r\n";
    for (const IndexLine& line : scan.body) {
        std::string stripped = StripLineBreaks(line.text);
        if (line.IsEntry() && line.number == lineNumber) {
            content.removed = std::move(stripped);
            continue;
        }
        content.bytes += stripped;
        content.bytes += "\r\n";
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

// Puts the new content in place of cache.ini, keeping the former file as cache.bak. The new file is
// complete on disk before cache.ini is touched, and a failed last move puts the former file back,
// so a single failure leaves cache.ini whole: the former one, or the new one with the former as
// cache.bak. No new file is left behind.
void ReplaceIndex(const std::string& cacheFolder, std::optional<OutputFile>& newFile,
                  const std::string& content)
{
    const std::string indexPath = IndexPathOf(cacheFolder);
    const std::string newPath = cacheFolder + kNewFileName;
    const std::string backupPath = cacheFolder + kBackupFileName;
    try {
        newFile->Write(content);
        newFile->Flush();
        newFile->Close();
        if (FileExists(backupPath))
            RemoveFile(backupPath);
        MoveFileNoReplace(indexPath, backupPath);
        try {
            MoveFileNoReplace(newPath, indexPath);
        } catch (const FileError&) {
            MoveFileNoReplace(backupPath, indexPath);
            throw;
        }
    } catch (...) {
        newFile.reset();  // a handle still open would keep the file from going
        RemoveIfThere(newPath);
        throw;
    }
}

}  // namespace

RemovedLine RemoveEntryLine(const std::string& cacheFolder, int lineNumber)
{
    const std::string indexPath = IndexPathOf(cacheFolder);
    auto former = ReadIndexFile(indexPath);
    if (!former)
        return {"", "Error reading file " + indexPath};
    IndexScan scan = ScanIndex(*former);
    if (!scan.header)
        return {};
    NewContent content = BuildNewContent(*former, scan, lineNumber);

    std::optional<OutputFile> newFile;
    try {
        newFile.emplace(OutputFile::Create(cacheFolder + kNewFileName));
    } catch (const FileError&) {
        return {"", "Error writing new file " + indexPath + " - Aborting!"};
    }
    ReplaceIndex(cacheFolder, newFile, content.bytes);

    RemovedLine result;
    result.removed = content.removed.has_value();
    result.text = content.removed ? std::move(*content.removed) : StripLineBreaks(scan.header->text);
    return result;
}

}  // namespace thld
