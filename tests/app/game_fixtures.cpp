#include "game_fixtures.h"

namespace thld::uitest {

namespace {

// A package's first bytes: the tag, then length-prefixed names (the kind's and the required
// packages'), then the first run of eight 0xFF bytes, then filler up to the size.
std::string Package(std::initializer_list<std::string> names, std::size_t size)
{
    std::string bytes = "\xC1\x83\x2A\x9E";
    for (const std::string& name : names) {
        bytes += static_cast<char>(name.size() + 1);
        bytes += name;
        bytes += '\0';
    }
    bytes += std::string(4, '\x01') + std::string(8, '\xFF');
    bytes.resize(size, '\x02');
    return bytes;
}

}  // namespace

std::string CachedFile(const std::string& gameFolder, const std::string& key)
{
    return gameFolder + "cache\\" + key + ".uxx";
}

std::string MakeSmallGameFolder(const test::TempFolder& temp, const std::string& name)
{
    for (const char* sub : {"cache", "Maps", "System", "Textures"})
        temp.MakeFolder(name + "/" + sub);
    std::string game = temp / (name + "/");
    test::WriteFileBytes(CachedFile(game, kMapKey), Package({"PointRegion", "Location", "Level", "Tex1", "Code1"}, 5000));
    test::WriteFileBytes(CachedFile(game, kTexKey), Package({"InternalTime", "None", "Color"}, 3100));
    test::WriteFileBytes(CachedFile(game, kCodeKey), Package({"Engine", "System", "Core", "Tex1"}, 2100));
    test::WriteFileBytes(CachedFile(game, kJunkKey), Package({"Music"}, 600));
    test::WriteFileBytes(game + "cache\\cache.ini", std::string("[Cache]\r\n") + kMapKey + "=Map1.unr\r\n" + kTexKey +
                                                        "=Tex1.utx\r\n" + kCodeKey + "=Code1.u\r\n" + kJunkKey +
                                                        "=Junk.umx\r\nMISSING=Gone.unr\r\n\r\n");
    return game;
}

}  // namespace thld::uitest
