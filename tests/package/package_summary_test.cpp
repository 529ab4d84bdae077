// What the listing reads of each package: its version, GUID and the packages its import table
// imports; damaged tables are told apart, never read past the file's end.
#include <gtest/gtest.h>

#include "package/package_summary.h"
#include "platform/file.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::CompactIndexBytes;
using test::Le32Bytes;
using test::MadeImport;
using test::MadePackageBytes;

const test::MadeGuid kGuid{0x11111111, 0x22222222, 0x33333333, 0x44444444};
// Names 0 and 1 name the class of a package import; 4 to 6 are packages.
const std::vector<std::string> kNames = {"Core", "Package", "Texture", "None", "Engine", "Botpack", "MyTex"};
const std::vector<MadeImport> kImports = {
    {0, 1, 0, 4},   // Engine
    {0, 2, -1, 6},  // a texture inside an import: not a package of its own
    {0, 1, 0, 5},   // Botpack
    {0, 1, -2, 6},  // a package inside another: no package the game loads by name
    {0, 1, 0, 4},   // Engine again
};

std::string Patched(std::string bytes, std::size_t at, const std::string& with)
{
    return bytes.replace(at, with.size(), with);
}

PackageSummary SummaryOf(const test::TempFolder& temp, const std::string& bytes)
{
    temp.Write("p.u", bytes);
    return ReadPackageSummary(temp / "p.u").value();
}

TEST(PackageSummary, ImportsAndTheWaysTablesAreDamaged)
{
    const std::string whole = MadePackageBytes(kNames, kImports, kGuid);
    const std::size_t importOffset = whole.size() - 5 * 7;  // each import here takes 7 bytes
    struct Case {
        const char* what;
        std::string bytes;
        PackageTables tables;
        NameList imports;
    };
    const std::vector<Case> cases = {
        {"whole", whole, PackageTables::Read, {"Engine", "Botpack"}},
        {"a class named in other letters",
         MadePackageBytes({"core", "PACKAGE", "Fire"}, {{0, 1, 0, 2}}, kGuid),
         PackageTables::Read,
         {"Fire"}},
        {"no tag", Patched(whole, 0, "GIF8"), PackageTables::NotAPackage, {}},
        {"no names", MadePackageBytes({}, {}, kGuid), PackageTables::NoNames, {}},
        {"the header cut short", whole.substr(0, 40), PackageTables::Damaged, {}},
        {"the import table cut short", whole.substr(0, whole.size() - 3), PackageTables::Damaged, {}},
        {"the name table cut short", whole.substr(0, 80), PackageTables::Damaged, {}},
        {"a name count past any file", Patched(whole, 12, Le32Bytes(0x7FFFFFFF)), PackageTables::Damaged, {}},
        {"an import count past the file", Patched(whole, 28, Le32Bytes(100000)), PackageTables::Damaged, {}},
        {"the import table outside the file", Patched(whole, 32, Le32Bytes(0xFFFFFFF0)), PackageTables::Damaged, {}},
        {"a name of no length", Patched(whole, 64, CompactIndexBytes(0)), PackageTables::Damaged, {}},
        {"an import naming no name",
         Patched(whole, importOffset + 6, CompactIndexBytes(60)),
         PackageTables::Damaged,
         {}},
    };
    test::TempFolder temp;
    for (const Case& c : cases) {
        const PackageSummary summary = SummaryOf(temp, c.bytes);
        EXPECT_EQ(summary.tables, c.tables) << c.what;
        EXPECT_EQ(summary.imports, c.imports) << c.what;
    }
    EXPECT_EQ(SummaryOf(temp, whole).guid->Text(), "11111111222222223333333344444444");
    EXPECT_EQ(SummaryOf(temp, whole).fileVersion, 69);
}

// The GUID as the game names the cached file by it, of every real package, version 61 (a table of
// GUIDs, the latest last) among them.
TEST(PackageSummary, TheGuidOfEveryRealPackageIsTheOneTheCacheNamesItBy)
{
    THLD_REQUIRE_CORPUS();
    for (const test::CorpusPackage& p : test::CorpusManifest()) {
        const std::optional<PackageSummary> summary = ReadPackageSummary(*test::CorpusFolder() + "packages/" + p.file);
        ASSERT_TRUE(summary) << p.file;
        EXPECT_EQ(summary->tables, PackageTables::Read) << p.file;
        ASSERT_TRUE(summary->guid) << p.file;
        EXPECT_EQ(summary->guid->Text(), p.guid) << p.file;
    }
}

}  // namespace
}  // namespace thld
