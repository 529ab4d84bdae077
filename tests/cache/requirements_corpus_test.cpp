// Real packages laid out as the game does it, with stand-ins for the game's own packages they import:
// each package's requirements and whether it loads offline, written from their import tables
// (manifest.tsv). Checked by hand: CTF-Extortion.unr imports its own texture package Xtortion, which
// no server sends with it; Untitled.utx imports the game's Detail, left out here, so the Goldeneye
// maps that take Untitled.utx along miss Detail through it; SiegeIV_0032beta9.u holds the names of
// BuildingGraphics, ECM and the others as names of its own objects, but imports only sgMedia and
// sgMedia2 of the cache (and sgUMedia, which is nowhere).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "cache/cache_listing.h"
#include "cache/requirements.h"
#include "game/offline_check.h"
#include "support/corpus.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using Names = std::vector<std::string>;

// The game's own packages the corpus imports, laid as stand-ins in System; Detail and the
// packages of mods (Xtortion, Flux, deathflux, MonsterHunt, sgUMedia, Coret_FX, Razor-ub) are not.
const Names kStandIns = {
    "AmbAncient", "AmbModern", "Amboutside", "Ancient",   "ArenaTex", "Botpack",  "Botpck10",    "Cannon",    "city",
    "Core",       "DDay",      "DecayedS",   "DMeffects", "DoorsAnc", "DoorsMod", "Egypt",       "Engine",    "Extro",
    "Fire",       "FireEng",   "GenEarth",   "genfluid",  "GenFX",    "GenIn",    "GenTerra",    "GreatFire", "Indus1",
    "LavaFX",     "Liquids",   "Metalmys",   "Mine",      "NaliCast", "NaliFX",   "Palettes",    "PlayrShp",  "RainFX",
    "Run",        "Seeker",    "shaneDAY",   "ShaneSky",  "Skaarj",   "SKYBox",   "Skycity",     "Skyward",   "Slums",
    "SpaceFX",    "Starship",  "TrenchesFX", "UBrowser",  "UMenu",    "UnrealI",  "UnrealShare", "UT",        "UTcrypt",
    "UTtech1",    "uttech2",   "UTtech3",    "UWeb",      "UWindow",  "Wheels",   "XFX"};

struct Expected {
    std::string file;
    Names requirements;
    std::vector<MissingImport> missing;  // empty: it loads offline
};

// Every package not named here requires nothing and loads offline.
const std::vector<Expected> kExpected = {
    {"007Tex.utx", {}, {{"Detail", ""}}},
    {"CTF-Extortion.unr", {}, {{"Xtortion", ""}}},
    {"DM-Bond 007 Goldeneye Archives.unr",
     {"007Tex.utx", "Exp.u", "NBDeco.u", "Untitled.utx"},
     {{"Detail", "007Tex.utx"}}},
    {"DM-Bond 007 Goldeneye Complex.unr", {"Untitled.utx"}, {{"Detail", "Untitled.utx"}}},
    {"DM-Bond 007 Goldeneye Stack.unr", {"007Tex.utx", "Untitled.utx"}, {{"Detail", "Untitled.utx"}}},
    {"DM-Bond 007 Goldeneye Temple.unr", {"007Tex.utx"}, {{"Detail", ""}}},
    {"DM-Flux.unr", {}, {{"Flux", ""}, {"deathflux", ""}}},
    {"DM-Q2DM1.unr", {"Q2DM1.utx"}, {{"Coret_FX", ""}, {"Razor-ub", ""}}},
    {"DOM-Bond 007 Goldeneye Stack.unr", {"007Tex.utx", "Untitled.utx"}, {{"Detail", "Untitled.utx"}}},
    {"MA-RocketArena.unr", {"Gomorra.umx"}, {{"MonsterHunt", ""}}},
    {"MapVoteHistoryX16.u", {"BDBMapVote304.u"}, {}},
    {"MH-NaliVillage][.unr", {"Chizra1.umx"}, {{"MonsterHunt", ""}}},
    {"SiegeIV_0032beta9.u", {"sgMedia.u", "sgMedia2.u"}, {{"sgUMedia", ""}}},
    {"Untitled.utx", {}, {{"Detail", ""}}},
};

TEST(RequirementsOnRealPackages, AreWhatTheImportTablesSayAndTheOfflineAnswerFollowsThem)
{
    THLD_REQUIRE_CORPUS();
    test::TempFolder game;
    const std::vector<test::CorpusPackage> laid = test::LayOutGameFolder(game.Path());
    for (std::size_t i = 0; i < kStandIns.size(); ++i)
        game.Write("System/" + kStandIns[i] + ".u",
                   test::PackageImporting(kind::Script, {0x5747, 0, 0, static_cast<std::uint32_t>(i)}, {}));
    const GameFolders folders{game.Path(), game / "cache/"};
    std::vector<PackageItem> items = ListCacheIndex(folders.cacheFolder).items;
    ASSERT_EQ(items.size(), laid.size());
    DetermineRelationships(folders.cacheFolder, items);
    const OfflineCheck offline(folders, items);

    std::map<std::string, const Expected*> expected;
    for (const Expected& e : kExpected)
        expected[e.file] = &e;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto found = expected.find(items[i].name);
        const Expected none{items[i].name, {}, {}};
        const Expected& e = found == expected.end() ? none : *found->second;
        EXPECT_EQ(items[i].summary.tables, PackageTables::Read) << e.file;
        EXPECT_EQ(items[i].requirements, e.requirements) << e.file;
        EXPECT_EQ(offline.Missing(i), e.missing) << e.file;
    }
}

}  // namespace
}  // namespace thld
