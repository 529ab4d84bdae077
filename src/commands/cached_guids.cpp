#include "commands/cached_guids.h"

#include "cache/cached_file.h"
#include "cache/index_encoding.h"
#include "cache/index_file.h"
#include "cache/index_scan.h"
#include "cache/index_text.h"
#include "package/package_reader.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/file_error.h"
#include "platform/folder.h"

namespace thld {

std::optional<std::string> GuidOfPackage(const std::string& path)
{
    try {
        auto file = InputFile::OpenUnshared(path);
        if (!file)
            return std::nullopt;
        const PackageReading reading = ReadPackage(*file);
        if (reading.outcome != PackageReading::Outcome::Read)
            return std::nullopt;
        return reading.contents.header.guid;
    } catch (const FileError&) {
        return std::nullopt;
    }
}

std::optional<bool> HoldsGuid(const std::string& cacheFolder, const std::string& guid)
{
    if (PathExists(CachedFilePath(cacheFolder, guid)))
        return true;
    return HoldsLine(cacheFolder, guid);
}

std::optional<bool> HoldsLine(const std::string& cacheFolder, const std::string& guid)
{
    auto index = ReadIndexText(IndexPathOf(cacheFolder));
    if (!index)
        return std::nullopt;
    for (const IndexLine& line : ScanIndex(index->text).body) {
        if (!line.IsEntry())
            continue;
        const auto entry = SplitEntryLine(StripLineBreaks(line.text));
        if (entry && EqualIgnoringAsciiCase(index->NameOf(entry->key), guid))
            return true;
    }
    return false;
}

}  // namespace thld
