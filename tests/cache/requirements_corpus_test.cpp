#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/requirements.h"
#include "support/corpus.h"
#include "support/literal_requirements.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using Names = std::vector<std::string>;

bool Has(const Names& names, const std::string& name)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Real packages laid out as the game does it: every import that the manifest lists between
// packages of the cache, from a searched package to one that can be required, is found, and the
// fast pass equals the literal steps.
TEST(RequirementsOnRealPackages, EveryImportBetweenCachedPackagesIsFound)
{
    THLD_REQUIRE_CORPUS();
    test::TempFolder game;
    std::vector<test::CorpusPackage> laid = test::LayOutGameFolder(game.Path());
    const std::string cacheFolder = game / "cache/";
    std::vector<PackageItem> items = ListCacheIndex(cacheFolder).items;
    ASSERT_EQ(items.size(), laid.size());
    std::vector<PackageItem> fast = items;
    DetermineRelationships(cacheFolder, fast);

    std::map<std::string, const PackageItem*> byPackage;  // package name -> item
    for (const PackageItem& item : fast)
        byPackage[item.name.substr(0, item.name.rfind('.'))] = &item;
    int imports = 0;
    for (const test::CorpusPackage& p : laid) {
        if (p.kind != "Map" && p.kind != "Script")
            continue;
        const PackageItem& searched = *byPackage.at(p.package);
        for (const std::string& import : p.imports) {
            auto required = byPackage.find(import);
            if (required == byPackage.end())
                continue;  // not in the cache (names compare with case, as the search does)
            PackageKind kind = required->second->kind;
            if (kind != kind::Textures && kind != kind::Script)
                continue;
            EXPECT_TRUE(Has(searched.requirements, required->second->name)) << p.file << " needs " << import;
            ++imports;
        }
    }
    EXPECT_EQ(imports, 13);  // the manifest's imports between searched and required packages

    const auto& archives = *byPackage.at("DM-Bond 007 Goldeneye Archives");
    for (const char* name : {"007Tex.utx", "Untitled.utx", "Exp.u", "NBDeco.u"})
        EXPECT_TRUE(Has(archives.requirements, name)) << name;
    EXPECT_EQ(byPackage.at("DM-Q2DM1")->requirements, Names{"Q2DM1.utx"});
    for (const char* map : {"DM-Bond 007 Goldeneye Stack", "DOM-Bond 007 Goldeneye Stack"}) {
        EXPECT_TRUE(Has(byPackage.at(map)->requirements, "007Tex.utx")) << map;
        EXPECT_TRUE(Has(byPackage.at(map)->requirements, "Untitled.utx")) << map;
    }
    EXPECT_TRUE(Has(byPackage.at("SiegeIV_0032beta9")->requirements, "sgMedia2.u"));
    EXPECT_TRUE(byPackage.at("Untitled")->requirements.empty());  // textures are never searched

    std::vector<PackageItem> literal = items;
    test::LiteralRelationships(cacheFolder, literal, {.oneByteReads = false});
    for (std::size_t i = 0; i < items.size(); ++i)
        EXPECT_EQ(fast[i].requirements, literal[i].requirements) << items[i].name;
}

}  // namespace
}  // namespace thld
