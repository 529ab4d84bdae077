// The package reader: the real packages against their manifest, a few by hand, and truncated and
// hostile files made here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "package/package_reader.h"
#include "platform/code_page.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

std::set<std::string> Upper(const std::vector<std::string>& names)
{
    std::set<std::string> upper;
    for (const std::string& name : names)
        upper.insert(UpperAsciiText(name));
    return upper;
}

PackageReading ReadCorpusFile(const std::string& file)
{
    auto opened = InputFile::OpenUnshared(*test::CorpusFolder() + "packages" + kPathSeparator + file);
    EXPECT_TRUE(opened) << file;
    return opened ? ReadPackage(*opened) : PackageReading{};
}

TEST(PackageReader, ReadsEveryRealPackageAsItsManifestDescribesIt)
{
    THLD_REQUIRE_CORPUS();
    for (const test::CorpusPackage& package : test::CorpusManifest()) {
        const PackageReading reading = ReadCorpusFile(package.file);
        ASSERT_EQ(reading.outcome, PackageReading::Outcome::Read) << package.file << ": " << reading.reason;
        EXPECT_EQ(reading.contents.header.guid, package.guid) << package.file;
        EXPECT_EQ(Upper(ImportedPackages(reading.contents)), Upper(package.imports)) << package.file;
        // What the file holds, read from memory, is what the file gives.
        const std::string bytes =
            test::ReadFileBytes(*test::CorpusFolder() + "packages" + kPathSeparator + package.file);
        const PackageReading fromMemory = ReadPackage(bytes);
        EXPECT_EQ(fromMemory.contents.names, reading.contents.names) << package.file;
        EXPECT_EQ(fromMemory.contents.imports.size(), reading.contents.imports.size()) << package.file;
    }
}

TEST(PackageReader, ReadsAFewRealPackagesAsCheckedByHand)
{
    THLD_REQUIRE_CORPUS();
    struct Case {
        std::string file;
        std::uint16_t version;
        std::string guid;
        std::vector<std::string> imports;
    };
    const std::vector<Case> cases = {
        {"007Tex.utx", 68, "E6EEAB6B11D3B601C6F4A99C38C8FCB2", {"Engine", "Detail", "Core"}},
        {"Chizra1.umx", 61, "1942A46211D1ED664544A4BF00005453", {"Engine"}},
        {"Q2DM1.utx", 69, "D4C35A8011D40EBC2A8C52AC0EB639DA", {"Engine", "Core"}},
    };
    for (const Case& c : cases) {
        const PackageReading reading = ReadCorpusFile(c.file);
        EXPECT_EQ(reading.contents.header.fileVersion, c.version) << c.file;
        EXPECT_EQ(reading.contents.header.guid, c.guid) << c.file;
        EXPECT_EQ(Upper(ImportedPackages(reading.contents)), Upper(c.imports)) << c.file;
    }
}

// A package made here: names at 64, the imports after them, the end of the file after the import
// table.
using test::Le32Bytes;
using test::MadeImport;

std::string MadePackage(const std::vector<std::string>& names, const std::vector<MadeImport>& imports)
{
    return test::MadePackageBytes(names, imports, {0x11223344, 0xAABBCCDD, 0, 0xFFFFFFFF});
}

const std::vector<std::string> kNames = {"Core", "Package", "Class", "MyTextures", "Engine", "Stone"};
const std::vector<MadeImport> kImports = {
    {0, 1, 0, 3},   // Core.Package MyTextures
    {0, 1, 0, 4},   // Core.Package Engine
    {4, 2, -1, 5},  // Engine.Class Stone, inside MyTextures: no package
    {0, 1, -1, 5},  // a package inside another
    {0, 1, 0, 3},   // MyTextures again
};

TEST(PackageReader, ReadsAMadePackage)
{
    const PackageReading reading = ReadPackage(MadePackage(kNames, kImports));
    ASSERT_EQ(reading.outcome, PackageReading::Outcome::Read) << reading.reason;
    EXPECT_EQ(reading.contents.header.guid, "11223344AABBCCDD00000000FFFFFFFF");
    EXPECT_EQ(reading.contents.names, kNames);
    EXPECT_EQ(ImportedPackages(reading.contents), (std::vector<std::string>{"MyTextures", "Engine"}));
}

TEST(PackageReader, RefusesEveryCutOfAPackageWithoutReadingPastIt)
{
    const std::string whole = MadePackage(kNames, kImports);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        // A copy of exactly this length, so that the sanitizers see any read beyond it.
        const std::vector<char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        const PackageReading reading = ReadPackage(std::string_view(cut.data(), cut.size()));
        EXPECT_NE(reading.outcome, PackageReading::Outcome::Read) << length;
        EXPECT_FALSE(reading.reason.empty()) << length;
    }
}

std::string Patched(std::string bytes, std::size_t at, const std::string& with)
{
    bytes.replace(at, with.size(), with);
    return bytes;
}

TEST(PackageReader, RefusesHostileFilesWithTheirReason)
{
    using Outcome = PackageReading::Outcome;
    const std::string good = MadePackage(kNames, kImports);
    std::size_t importAt = 64;  // after the name table
    for (const std::string& name : kNames)
        importAt += 1 + name.size() + 1 + 4;
    struct Case {
        const char* what;
        std::string bytes;
        Outcome outcome;
    };
    const std::vector<Case> cases = {
        {"empty", "", Outcome::NotAPackage},
        {"another tag", Patched(good, 0, "\xC1\x83\x2A\x9F"), Outcome::NotAPackage},
        {"header cut", good.substr(0, 30), Outcome::Truncated},
        {"negative name count", Patched(good, 12, Le32Bytes(0x80000001)), Outcome::BadTable},
        {"huge name count", Patched(good, 12, Le32Bytes(0x7FFFFFFF)), Outcome::BadTable},
        {"name count past the end", Patched(good, 12, Le32Bytes(100000)), Outcome::Truncated},
        {"names past the end", Patched(good, 16, Le32Bytes(0x7FFFFFF0)), Outcome::BadTable},
        {"names inside the header", Patched(good, 16, Le32Bytes(8)), Outcome::BadTable},
        {"huge import count", Patched(good, 28, Le32Bytes(1000000)), Outcome::Truncated},
        {"imports past the end", Patched(good, 32, Le32Bytes(static_cast<std::uint32_t>(good.size()))),
         Outcome::BadTable},
        {"exports past the end", Patched(Patched(good, 20, Le32Bytes(3)), 24, Le32Bytes(0xFFFFFF00)),
         Outcome::BadTable},
        {"name of no length", Patched(good, 64, std::string(1, '\0')), Outcome::BadName},
        {"name of negative length", Patched(good, 64, "\x85"), Outcome::BadName},
        {"name longer than any", Patched(good, 64, "\x7F\x7F"), Outcome::BadName},
        {"a compact index of six bytes", Patched(good, 64, "\x40\xFF\xFF\xFF\xFF\xFF"), Outcome::BadName},
        {"import of a name past the table", Patched(good, importAt, "\x3F"), Outcome::BadImport},
        {"import of a negative name", Patched(good, importAt, "\x81"), Outcome::BadImport},
    };
    ASSERT_EQ(static_cast<unsigned char>(good[importAt]), 0u);  // the first import's class package
    for (const Case& c : cases) {
        const std::vector<char> exact(c.bytes.begin(), c.bytes.end());
        const PackageReading reading = ReadPackage(std::string_view(exact.data(), exact.size()));
        EXPECT_EQ(reading.outcome, c.outcome) << c.what << ": " << reading.reason;
        EXPECT_FALSE(reading.reason.empty()) << c.what;
        EXPECT_TRUE(reading.contents.names.empty()) << c.what;
    }
}

TEST(PackageReader, OldPackagesTakeTheirGuidFromTheLatestEntryOfTheirTable)
{
    std::string bytes = Le32Bytes(kPackageTag) + std::string("\x3D\x00\x00\x00", 4) + Le32Bytes(0) + Le32Bytes(1) +
                        Le32Bytes(76) + Le32Bytes(0) + Le32Bytes(0) + Le32Bytes(0) + Le32Bytes(0) + Le32Bytes(2) +
                        Le32Bytes(44) + Le32Bytes(1) + Le32Bytes(2) + Le32Bytes(3) + Le32Bytes(4) + Le32Bytes(5) +
                        Le32Bytes(6) + Le32Bytes(7) + Le32Bytes(8) + "None" + '\0' + Le32Bytes(0);
    const PackageReading reading = ReadPackage(bytes);
    ASSERT_EQ(reading.outcome, PackageReading::Outcome::Read) << reading.reason;
    EXPECT_EQ(reading.contents.header.guid, "00000005000000060000000700000008");
    EXPECT_EQ(reading.contents.names, std::vector<std::string>{"None"});
    EXPECT_EQ(ReadPackage(Patched(bytes, 40, Le32Bytes(70))).outcome, PackageReading::Outcome::BadTable);
}

}  // namespace
}  // namespace thld
