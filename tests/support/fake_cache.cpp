#include "support/fake_cache.h"

#include "support/temp_folder.h"

namespace thld::test {

std::string KindWords(PackageKind label)
{
    if (label == kind::Map)
        return "PointRegion Location Level ";
    if (label == kind::Textures)
        return "InternalTime None Color ";
    if (label == kind::Script)
        return "Engine System Core ";
    return "";
}

std::string LengthPrefixed(std::string_view name)
{
    std::string bytes(1, static_cast<char>(name.size() + 1));
    bytes += name;
    return bytes;
}

void WriteIndex(const std::string& cacheFolder, const std::vector<std::string>& lines)
{
    std::string text = "[Cache]\r\n";
    for (const std::string& line : lines)
        text += line + "\r\n";
    WriteFileBytes(cacheFolder + "cache.ini", text + "\r\n");
}

}  // namespace thld::test
