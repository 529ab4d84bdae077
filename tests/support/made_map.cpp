#include "support/made_map.h"

#include <vector>

#include "support/made_package.h"

namespace thld::test {

namespace {

enum Name : std::int32_t {
    None,
    Core,
    Engine,
    Package,
    Class,
    LevelInfo,
    Texture,
    Palette,
    LevelInfo0,
    Screenshot,
    Palette0,
    Title,
    Author,
    IdealPlayerCount,
    Format,
};

std::string StrProperty(Name name, const std::string& text)
{
    const std::string value = CompactIndexBytes(static_cast<std::int32_t>(text.size() + 1)) + text + '\0';
    return CompactIndexBytes(name) + '\x5D' + static_cast<char>(value.size()) + value;
}

}  // namespace

std::string MadeMapBytes(std::uint8_t format, std::uint32_t width, std::uint32_t height, const std::string& mip)
{
    const std::vector<std::string> names = {"None",      "Core",    "Engine",  "Package",          "Class",
                                            "LevelInfo", "Texture", "Palette", "LevelInfo0",       "Screenshot",
                                            "Palette0",  "Title",   "Author",  "IdealPlayerCount", "Format"};
    std::string tables;
    for (const std::string& name : names)
        tables += CompactIndexBytes(static_cast<std::int32_t>(name.size() + 1)) + name + '\0' + Le32Bytes(0);
    const auto importOffset = static_cast<std::uint32_t>(52 + tables.size());
    const MadeImport imports[] = {{Core, Package, 0, Engine},
                                  {Core, Class, -1, LevelInfo},
                                  {Core, Class, -1, Texture},
                                  {Core, Class, -1, Palette}};
    for (const MadeImport& i : imports)
        tables += CompactIndexBytes(i.classPackage) + CompactIndexBytes(i.className) +
                  Le32Bytes(static_cast<std::uint32_t>(i.outer)) + CompactIndexBytes(i.objectName);

    // The objects: the LevelInfo (its state frame, three strings, the screenshot), the texture, the palette.
    std::string levelInfo = CompactIndexBytes(-2) + CompactIndexBytes(-2) + std::string(8, '\xFF') + Le32Bytes(0) +
                            CompactIndexBytes(-1) + StrProperty(Title, "Tiny") + StrProperty(Author, "Seed") +
                            StrProperty(IdealPlayerCount, "2-4") + CompactIndexBytes(Screenshot) + '\x05' +
                            CompactIndexBytes(2) + CompactIndexBytes(None);
    std::string texture;
    if (format != 0)
        texture += CompactIndexBytes(Format) + '\x01' + static_cast<char>(format);
    else
        texture += CompactIndexBytes(Palette) + '\x05' + CompactIndexBytes(3);
    texture += CompactIndexBytes(None);
    const std::string palette = CompactIndexBytes(None) + CompactIndexBytes(4) +
                                std::string("\0\0\0\xFF\xFF\0\0\xFF\0\xFF\0\xFF\0\0\xFF\xFF", 16);
    const auto objectsOffset = static_cast<std::uint32_t>(52 + tables.size());
    const auto textureOffset = static_cast<std::uint32_t>(objectsOffset + levelInfo.size());
    const std::string mipSize = CompactIndexBytes(static_cast<std::int32_t>(mip.size()));
    const auto mipEnd =
        static_cast<std::uint32_t>(textureOffset + texture.size() + 1 + 4 + mipSize.size() + mip.size());
    texture +=
        CompactIndexBytes(1) + Le32Bytes(mipEnd) + mipSize + mip + Le32Bytes(width) + Le32Bytes(height) + "\x02\x02";
    const auto paletteOffset = static_cast<std::uint32_t>(textureOffset + texture.size());
    const std::string objects = levelInfo + texture + palette;

    struct Export {
        std::int32_t objectClass, name;
        std::uint32_t flags;
        std::size_t offset, size;
    };
    const Export exports[] = {{-2, LevelInfo0, 0x02070001, objectsOffset, levelInfo.size()},
                              {-3, Screenshot, 0x70004, textureOffset, texture.size()},
                              {-4, Palette0, 0x70004, paletteOffset, palette.size()}};
    const auto exportOffset = static_cast<std::uint32_t>(objectsOffset + objects.size());
    std::string exportTable;
    for (const Export& e : exports)
        exportTable += CompactIndexBytes(e.objectClass) + CompactIndexBytes(0) + Le32Bytes(0) +
                       CompactIndexBytes(e.name) + Le32Bytes(e.flags) +
                       CompactIndexBytes(static_cast<std::int32_t>(e.size)) +
                       CompactIndexBytes(static_cast<std::int32_t>(e.offset));
    std::string header = Le32Bytes(0x9E2A83C1) + std::string("\x45\x00\x00\x00", 4) + Le32Bytes(1) +
                         Le32Bytes(static_cast<std::uint32_t>(names.size())) + Le32Bytes(52) + Le32Bytes(3) +
                         Le32Bytes(exportOffset) + Le32Bytes(4) + Le32Bytes(importOffset);
    for (std::uint32_t part : {0x01234567u, 0x89ABCDEFu, 0x02468ACEu, 0x13579BDFu})
        header += Le32Bytes(part);
    return header + tables + objects + exportTable;
}

}  // namespace thld::test
