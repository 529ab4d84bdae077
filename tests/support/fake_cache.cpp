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

std::string PackageHeader(std::uint32_t nameCount, std::uint32_t nameOffset)
{
    std::string bytes("\xC1\x83\x2A\x9E\x45\x00\x00\x00\x01\x00\x00\x00", 12);
    for (std::uint32_t value : {nameCount, nameOffset})
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
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
