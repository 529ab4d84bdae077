#include "game_fixtures.h"

#include "support/fake_cache.h"

namespace thld::uitest {

namespace {

// A package's first bytes: the tag, the kind's words, then the length-prefixed names of the
// required packages, then the first run of eight 0xFF bytes, then filler up to the size.
std::string Package(PackageKind kind, std::initializer_list<std::string> required, std::size_t size)
{
    std::string bytes = "\xC1\x83\x2A\x9E" + test::KindWords(kind);
    for (const std::string& name : required) {
        bytes += test::LengthPrefixed(name);
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
    test::WriteFileBytes(CachedFile(game, kMapKey), Package(kind::Map, {"Tex1", "Code1"}, 5000));
    test::WriteFileBytes(CachedFile(game, kTexKey), Package(kind::Textures, {}, 3100));
    test::WriteFileBytes(CachedFile(game, kCodeKey), Package(kind::Script, {"Tex1"}, 2100));
    test::WriteFileBytes(CachedFile(game, kJunkKey), Package(kind::UnknownType, {"Music"}, 600));
    test::WriteIndex(game + "cache\\",
                     {std::string(kMapKey) + "=Map1.unr", std::string(kTexKey) + "=Tex1.utx",
                      std::string(kCodeKey) + "=Code1.u", std::string(kJunkKey) + "=Junk.umx", "MISSING=Gone.unr"});
    return game;
}

}  // namespace thld::uitest
