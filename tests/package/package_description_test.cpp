// A package's description: the real maps' titles, authors, players and screenshots as the files
// hold them (dumped once, checked by hand against the bytes), the other packages' parts, and
// damaged copies of a real map that end in a reason, never a crash.
#include <gtest/gtest.h>

#include <algorithm>

#include "package/object_properties.h"
#include "package/package_cursor.h"
#include "package/package_description.h"
#include "package/package_exports.h"
#include "platform/code_page.h"
#include "support/corpus.h"
#include "support/made_map.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

std::string CorpusBytes(const std::string& file)
{
    return test::ReadFileBytes(*test::CorpusFolder() + "packages" + kPathSeparator + file);
}

// FNV-1a over the decoded pixels.
std::uint32_t PixelSum(const std::vector<std::uint8_t>& rgba)
{
    std::uint32_t sum = 0x811C9DC5;
    for (std::uint8_t byte : rgba)
        sum = (sum ^ byte) * 0x01000193;
    return sum;
}

TEST(PackageDescription, TellsEachRealMapsTitleAuthorPlayersAndScreenshot)
{
    THLD_REQUIRE_CORPUS();
    struct Case {
        std::string file, title, author, players, enterText;
        ScreenshotFacts::State screenshot;
        std::uint32_t width, height, pixelSum;
    };
    using S = ScreenshotFacts::State;
    const std::vector<Case> cases = {
        {"CTF-Extortion.unr", "Extortion", "David M\xC3\xBCnnich", "", "", S::Shown, 256, 256, 0xE97B4635},
        {"DM-Ablee.unr", "Ablee", "David 'DavidM' M\xC3\xBCnnich", "2-4", "", S::Shown, 256, 256, 0xD0DCE035},
        {"DM-Babylon.unr", "Babylon", "Rich 'Akuma' Eastwood", "6-8", "Boyakasha!", S::Shown, 256, 256, 0xF3DB5144},
        {"DM-Bond 007 Goldeneye Archives.unr", "DM-Archives", "Si \"Kain\" Cass", "2-8", "", S::Shown, 256, 256,
         0x46126B41},
        {"DM-Bond 007 Goldeneye Complex.unr", "DmComplex007", "Goldabar", "4 to 6", "The World is not Enough......",
         S::InOtherPackage, 0, 0, 0},
        {"DM-Bond 007 Goldeneye Stack.unr", "DM-Stack", "Si \"Kain\" Cass", "2-6", "", S::Shown, 256, 256, 0x7B8C6695},
        {"DM-Bond 007 Goldeneye Temple.unr", "DM-Temple", "Si \"Kain\" Cass", "3-8", "", S::Shown, 256, 256,
         0xE095A779},
        {"DM-Flux.unr", "Flux", "Glowing Angel", "2-6", "", S::Shown, 256, 256, 0xD92D4D52},
        {"DM-Q2DM1.unr", "The Edge (Q2DM1)", "Converted by \"VT|CreepingDeath\"", "2-8", "", S::Shown, 256, 256,
         0xD0C1B7CA},
        {"DOM-Bond 007 Goldeneye Stack.unr", "DOM-Library", "Si \"Kain\" Cass", "4-10", "", S::Shown, 256, 256,
         0x7B8C6695},
        {"MA-RocketArena.unr", "Rocket  Arena", "Scislac, ProAsm. DM to MA - Shrimp", "Up to 8", "", S::Shown, 256, 256,
         0x94791708},
        {"MH-NaliVillage][.unr", "Nali Village", "Kenneth \"Shrimp\" Watson", "Up to 4", "", S::Shown, 256, 256,
         0x510FA545},
    };
    for (const Case& c : cases) {
        auto file = InputFile::OpenUnshared(*test::CorpusFolder() + "packages" + kPathSeparator + c.file);
        ASSERT_TRUE(file) << c.file;
        const PackageDescription description = DescribePackage(*file, ScreenshotWanted::Yes);
        ASSERT_EQ(description.outcome, PackageDescription::Outcome::Read) << c.file << ": " << description.reason;
        ASSERT_TRUE(description.level) << c.file;
        EXPECT_EQ(description.level->title, c.title) << c.file;
        // Shown as every front-end shows the program's text: as UTF-8.
        EXPECT_EQ(UnicodeText(description.level->author), c.author) << c.file;
        EXPECT_EQ(description.level->idealPlayerCount, c.players) << c.file;
        EXPECT_EQ(description.level->enterText, c.enterText) << c.file;
        const ScreenshotFacts& shot = description.screenshot;
        EXPECT_EQ(shot.state, c.screenshot) << c.file << ": " << shot.reason;
        EXPECT_EQ(shot.image.width, c.width) << c.file;
        EXPECT_EQ(shot.image.height, c.height) << c.file;
        if (c.screenshot == S::Shown) {
            EXPECT_EQ(shot.format, 0) << c.file;
            EXPECT_EQ(PixelSum(shot.image.rgba), c.pixelSum) << c.file;
        }
    }
}

TEST(PackageDescription, NamesThePackageOfAScreenshotKeptOutsideTheMap)
{
    THLD_REQUIRE_CORPUS();
    const PackageDescription description =
        DescribePackage(CorpusBytes("DM-Bond 007 Goldeneye Complex.unr"), ScreenshotWanted::Yes);
    EXPECT_EQ(description.screenshot.texture, "Screenshot");
    EXPECT_EQ(description.screenshot.package, "Untitled");
}

TEST(PackageDescription, GivesWhatAppliesToScriptsTexturesAndMusic)
{
    THLD_REQUIRE_CORPUS();
    struct Case {
        std::string file;
        std::uint16_t version;
        std::size_t imports, exports;
    };
    const std::vector<Case> cases = {
        {"Exp.u", 68, 35, 22},
        {"007Tex.utx", 68, 7, 17},
        {"Chizra1.umx", 61, 2, 1},
    };
    for (const Case& c : cases) {
        const PackageDescription description = DescribePackage(CorpusBytes(c.file), ScreenshotWanted::Yes);
        ASSERT_EQ(description.outcome, PackageDescription::Outcome::Read) << c.file << ": " << description.reason;
        EXPECT_EQ(description.header.fileVersion, c.version) << c.file;
        EXPECT_EQ(description.importCount, c.imports) << c.file;
        EXPECT_EQ(description.exportCount, c.exports) << c.file;
        EXPECT_FALSE(description.level) << c.file;
        EXPECT_EQ(description.screenshot.state, ScreenshotFacts::State::None) << c.file;
    }
}

TEST(PackageDescription, DecodesEachFormatOfAMadeScreenshot)
{
    struct Case {
        const char* what;
        std::uint8_t format;
        std::uint32_t width, height;
        std::string mip;
        ScreenshotFacts::State state;
        std::vector<std::uint8_t> firstPixels;  // the first row's
    };
    using S = ScreenshotFacts::State;
    const std::vector<Case> cases = {
        {"P8",
         0,
         4,
         4,
         std::string("\0\x01\x02\x03", 4) + std::string(12, '\x01'),
         S::Shown,
         {0, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255}},
        // Red and blue, the first row taking each of the four colours in turn.
        {"DXT1",
         3,
         4,
         4,
         std::string("\0\xF8\x1F\0\xE4\0\xFF\x55", 8),
         S::Shown,
         {255, 0, 0, 255, 0, 0, 255, 255, 170, 0, 85, 255, 85, 0, 170, 255}},
        // Stored as blue, green, red, alpha.
        {"RGBA8", 5, 2, 1, std::string("\xFF\0\0\xFF\0\xFF\0\x80", 8), S::Shown, {0, 0, 255, 255, 0, 255, 0, 128}},
        {"RGB16", 2, 2, 2, std::string(8, '\0'), S::FormatNotShown, {}},
        {"P8 cut short", 0, 4, 4, std::string(15, '\0'), S::Unreadable, {}},
        {"DXT1 too wide", 3, 4096, 4, std::string(8192, '\0'), S::Unreadable, {}},
    };
    for (const Case& c : cases) {
        const PackageDescription description =
            DescribePackage(test::MadeMapBytes(c.format, c.width, c.height, c.mip), ScreenshotWanted::Yes);
        ASSERT_TRUE(description.level) << c.what << ": " << description.reason;
        EXPECT_EQ(description.level->title, "Tiny") << c.what;
        EXPECT_EQ(description.screenshot.state, c.state) << c.what << ": " << description.screenshot.reason;
        EXPECT_EQ(description.screenshot.format, c.format) << c.what;
        const std::vector<std::uint8_t>& rgba = description.screenshot.image.rgba;
        EXPECT_EQ(std::vector<std::uint8_t>(rgba.begin(), rgba.begin() + std::min(rgba.size(), c.firstPixels.size())),
                  c.firstPixels)
            << c.what;
    }
}

// Where the parts of DM-Flux lie, found with the readers themselves.
struct FluxLayout {
    std::string bytes;
    std::uint64_t exportTable = 0;
    std::uint64_t titleTag = 0;      // the LevelInfo's Title tag
    std::uint64_t paletteCount = 0;  // the screenshot's palette's colour count
    std::uint64_t mipSize = 0;       // the size of the screenshot's top mip
};

FluxLayout Flux()
{
    FluxLayout layout;
    layout.bytes = CorpusBytes("DM-Flux.unr");
    const PackageReading reading = ReadPackage(layout.bytes);
    const std::vector<PackageExport> exports = ReadExports(layout.bytes, reading.contents).exports;
    layout.exportTable = reading.contents.header.exportOffset;
    PackageCursor cursor{std::string_view(layout.bytes)};
    for (const PackageExport& object : exports) {
        const std::string_view className = ClassNameOf(reading.contents, exports, object).value_or("");
        if (className == "LevelInfo") {
            // The Title tag: its name's index, then the type byte of a string with a size byte.
            const auto title = std::find(reading.contents.names.begin(), reading.contents.names.end(), "Title");
            const std::string tag = std::string(1, char(0x40 | ((title - reading.contents.names.begin()) & 0x3F))) +
                                    char((title - reading.contents.names.begin()) >> 6) + "\x5D";
            layout.titleTag = layout.bytes.find(tag, object.serialOffset);
        }
        if (className == "Texture" && object.objectName == "Screenshot") {
            const PropertyReading properties = ReadProperties(cursor, reading.contents, object);
            layout.mipSize = properties.dataOffset + 1 + 4;  // past the mip count and the offset of its end
            const ObjectProperty* palette =
                FindProperty(properties.properties, "Palette", ObjectProperty::Type::Object);
            const PackageExport& paletteObject = exports[std::size_t(palette->number - 1)];
            layout.paletteCount = ReadProperties(cursor, reading.contents, paletteObject).dataOffset;
        }
    }
    return layout;
}

TEST(PackageDescription, EndsDamagedCopiesOfARealMapInAReason)
{
    THLD_REQUIRE_CORPUS();
    const FluxLayout flux = Flux();
    struct Case {
        const char* damage;
        std::uint64_t at;
        std::string bytes;  // written there; the file is cut there when empty
        PackageDescription::Outcome outcome;
        ScreenshotFacts::State screenshot;
        std::string reason;
    };
    using O = PackageDescription::Outcome;
    using S = ScreenshotFacts::State;
    const std::vector<Case> cases = {
        {"export table cut short", flux.exportTable + 100, "", O::Unreadable, S::None,
         "the export table of 643 entries at offset 908239 runs past the end of the file"},
        {"export table cut in its entries", flux.exportTable + 8400, "", O::BadExports, S::None,
         "a value at offset 916639 runs past the end of the file"},
        {"title past the end", flux.titleTag + 3, "\xFF", O::BadLevelInfo, S::None,
         "the object LevelInfo0: the property Title at offset 12744 of 255 bytes runs past the end of its object"},
        {"no colours", flux.paletteCount, std::string("\x40\x00", 2), O::Read, S::Unreadable,
         "the palette Palette2 at offset 484103 holds 0 colours, not 1 to 256"},
        {"100,000 colours", flux.paletteCount, "\x60\x9A\x0C", O::Read, S::Unreadable,
         "the palette Palette2 at offset 484103 holds 100000 colours, not 1 to 256"},
        {"a mip larger than the file", flux.mipSize, "\x40\xFF\x7F", O::Read, S::Unreadable,
         "the top mip of Screenshot at offset 67300 claims 1048512 bytes, more than its object holds"},
    };
    for (const Case& c : cases) {
        ASSERT_NE(c.at, 0u) << c.damage;
        std::string bytes = flux.bytes;
        if (c.bytes.empty())
            bytes.resize(c.at);
        else
            bytes.replace(c.at, c.bytes.size(), c.bytes);
        const PackageDescription description = DescribePackage(bytes, ScreenshotWanted::Yes);
        EXPECT_EQ(description.outcome, c.outcome) << c.damage;
        EXPECT_EQ(description.screenshot.state, c.screenshot) << c.damage;
        EXPECT_EQ(description.outcome == O::Read ? description.screenshot.reason : description.reason, c.reason)
            << c.damage;
    }
}

}  // namespace
}  // namespace thld
