// The cache checks on a game folder made here that holds one case of every problem, and the cases
// next to them that are none.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "cache/cache_listing.h"
#include "game/cache_checks.h"
#include "support/fake_cache.h"
#include "support/made_package.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::GuidKey;
using test::MadeGuid;
using test::PackageImporting;

struct Cached {
    MadeGuid guid;
    std::string value;
    PackageKind kind;
    std::vector<std::string> imports;
};

const MadeGuid kArena{1, 0, 0, 1}, kTex{2, 0, 0, 2}, kSame{3, 0, 0, 3}, kSameVersion{4, 0, 0, 4}, kTwiceOld{5, 0, 0, 5},
    kTwiceNew{6, 0, 0, 6}, kLost{7, 0, 0, 7}, kOrphan{8, 0, 0, 8}, kWhole{9, 0, 0, 9};

std::vector<std::string> Packages(const std::vector<MissingImport>& missing)
{
    std::vector<std::string> names;
    for (const MissingImport& m : missing)
        names.push_back(m.package);
    return names;
}

struct Expected {
    CacheProblem::Kind kind;
    std::string name;
    std::string key;
    std::vector<std::string> detail;  // duplicate: the keys; missing: the packages
};

TEST(CacheChecks, FindEachProblemWithWhatItConcerns)
{
    test::TempFolder temp;
    GameFolders folders{temp / "game/", temp / "game/cache/"};
    for (const char* folder : {"cache", "Maps", "System", "Textures"})
        temp.MakeFolder(std::string("game/") + folder);
    const std::vector<Cached> cached = {
        // Imports one package that is nowhere, one cached, two installed (in another case).
        {kArena, "Arena.unr", kind::Map, {"Core", "engine", "ArenaTex", "Gone"}},
        // Installed with another GUID: a mismatch.
        {kTex, "ArenaTex.utx", kind::Textures, {"Core"}},
        // Installed byte for byte, and installed with other bytes of its own GUID: neither is one.
        {kSame, "Same.u", kind::Script, {"Core"}},
        {kSameVersion, "SameVersion.u", kind::Script, {"Core"}},
        // One name under two keys.
        {kTwiceOld, "Twice.u", kind::Script, {}},
        {kTwiceNew, "Twice.u", kind::Script, {}},
        // Finds every import.
        {kWhole, "Whole.unr", kind::Map, {"Core", "ArenaTex"}},
    };
    std::vector<std::string> lines;
    for (const Cached& c : cached) {
        lines.push_back(GuidKey(c.guid) + "=" + c.value);
        temp.Write("game/cache/" + GuidKey(c.guid) + ".uxx", PackageImporting(c.kind, c.guid, c.imports));
    }
    lines.push_back(GuidKey(kLost) + "=Lost.u");  // its file is gone
    // Keys that lead out of the cache folder: their files are never looked at.
    lines.push_back("../outside=Outside.unr");
    lines.push_back("../gone=Gone.u");
    temp.Write("game/outside.uxx", PackageImporting(kind::Map, kArena, {"NoWhere"}));
    // Damaged tables under a whole header: unreadable, though a copy of another GUID is installed.
    const MadeGuid kBroken{12, 0, 0, 12};
    const std::string broken = PackageImporting(kind::Textures, kBroken, {"Core"});
    temp.Write("game/cache/" + GuidKey(kBroken) + ".uxx", broken.substr(0, broken.size() - 3));
    temp.Write("game/Textures/Broken.utx", PackageImporting(kind::Textures, {12, 0, 0, 99}, {"Core"}));
    lines.push_back(GuidKey(kBroken) + "=Broken.utx");
    test::WriteIndex(folders.cacheFolder, lines);
    // Lines the index ends before, and a key in other letters than its file's: their files are no
    // orphans, and the line with the key is no stale line.
    const MadeGuid kAfter{10, 0, 0, 10}, kLower{11, 0, 0, 11};
    temp.Write("game/cache/" + GuidKey(kAfter) + ".uxx", PackageImporting(kind::Script, kAfter, {}));
    temp.Write("game/cache/" + GuidKey(kLower) + ".uxx", PackageImporting(kind::Script, kLower, {}));
    std::string lowerKey = GuidKey(kLower);
    for (char& c : lowerKey)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const std::string index = temp.Read("game/cache/cache.ini");
    temp.Write("game/cache/cache.ini",
               index.substr(0, index.size() - 2) + lowerKey + "=Lower.u\r\n\r\n" + GuidKey(kAfter) + "=After.u\r\n");
    // A file no line names, and files that are no cached packages.
    temp.Write("game/cache/" + GuidKey(kOrphan) + ".uxx", PackageImporting(kind::Textures, kOrphan, {}));
    temp.Write("game/cache/ABC.uxx", "x");
    temp.Write("game/cache/" + GuidKey(kOrphan) + ".txt", "x");
    temp.Write("game/System/Core.u", "x");
    temp.Write("game/System/Engine.u", "x");
    temp.Write("game/Textures/ArenaTex.utx", PackageImporting(kind::Textures, {2, 0, 0, 99}, {"Core"}));
    temp.Write("game/System/Same.u", PackageImporting(kind::Script, kSame, {"Core"}));
    temp.Write("game/System/SameVersion.u", PackageImporting(kind::Script, kSameVersion, {"Core", "Extra"}));
    const auto now = std::filesystem::file_time_type::clock::now();
    std::filesystem::last_write_time(test::FsPath(folders.cacheFolder + GuidKey(kTwiceOld) + ".uxx"),
                                     now - std::chrono::hours(48));

    const std::vector<CacheProblem> problems = CheckCache(folders, ListCacheIndex(folders.cacheFolder).items);
    using Kind = CacheProblem::Kind;
    const std::vector<Expected> expected = {
        {Kind::Mismatch, "ArenaTex.utx", GuidKey(kTex), {}},
        {Kind::Stale, "Lost.u", GuidKey(kLost), {}},
        {Kind::Orphan, "", GuidKey(kOrphan), {}},
        {Kind::Duplicate, "Twice.u", GuidKey(kTwiceNew), {GuidKey(kTwiceNew), GuidKey(kTwiceOld)}},
        {Kind::Missing, "Arena.unr", GuidKey(kArena), {"Gone"}},
        {Kind::Unreadable, "Broken.utx", GuidKey(kBroken), {}},
    };
    ASSERT_EQ(problems.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const CacheProblem& p = problems[i];
        const Expected& e = expected[i];
        EXPECT_EQ(p.kind, e.kind) << i;
        EXPECT_EQ(p.name, e.name) << ProblemWord(e.kind);
        EXPECT_EQ(p.key, e.key) << ProblemWord(e.kind);
        EXPECT_EQ(e.kind == Kind::Duplicate ? p.keys : Packages(p.missing), e.detail) << ProblemWord(e.kind);
    }
    EXPECT_EQ(problems[0].cachedGuid, GuidKey(kTex));
    EXPECT_EQ(problems[0].installedGuid, GuidKey({2, 0, 0, 99}));
    EXPECT_EQ(problems[0].path, temp / "game/Textures/ArenaTex.utx");
    EXPECT_EQ(problems[2].guid, GuidKey(kOrphan));
    EXPECT_EQ(problems[2].fileKind, kind::Textures);

    // Without a game folder nothing is looked for in it.
    const std::vector<CacheProblem> cacheOnly =
        CheckCache({"", folders.cacheFolder}, ListCacheIndex(folders.cacheFolder).items);
    ASSERT_EQ(cacheOnly.size(), 4u);
    EXPECT_EQ(cacheOnly[0].kind, Kind::Stale);
}

TEST(CacheChecks, AnIndexThatCantBeReadMakesNoFileAnOrphan)
{
    test::TempFolder temp;
    temp.MakeFolder("cache");
    temp.Write("cache/" + GuidKey(kOrphan) + ".uxx", PackageImporting(kind::Textures, kOrphan, {}));
    EXPECT_TRUE(CheckCache({"", temp / "cache/"}, {}).empty());
}

// Where the game looks for packages by name is what the Paths lines of its settings file say, and
// only there; without any, its five folders.
TEST(CacheChecks, MissingLooksWhereThePathsOfTheGamesSettingsLook)
{
    struct Case {
        std::string settings;  // System/UnrealTournament.ini; none when empty
        std::vector<std::string> missing;
    };
    const std::vector<Case> cases = {
        {"", {"InMods", "InAny", "NoWhere"}},
        {"[Core.System]\r\nPaths=../Maps/*.unr\r\nPaths=..\\Mods\\*.u\r\nPaths=../Any/*.*\r\n",
         {"InSystem", "NoWhere"}},
        // Other sections' Paths, and patterns of no extension, count for nothing.
        {"[Other]\nPaths=../Mods/*.u\n[Core.System]\nPaths=../Mods/InMods.u\n", {"InMods", "InAny", "NoWhere"}},
    };
    for (const Case& c : cases) {
        test::TempFolder temp;
        const GameFolders folders{temp / "game/", temp / "game/cache/"};
        for (const char* folder : {"cache", "Maps", "System", "mods", "Any"})
            temp.MakeFolder(std::string("game/") + folder);
        temp.Write("game/System/InSystem.u", "x");
        temp.Write("game/mods/InMods.u", "x");
        temp.Write("game/Any/InAny.utx", "x");
        if (!c.settings.empty())
            temp.Write("game/System/UnrealTournament.ini", c.settings);
        const std::vector<std::string> imports = {"InSystem", "InMods", "InAny", "NoWhere"};
        temp.Write("game/cache/" + GuidKey(kArena) + ".uxx", PackageImporting(kind::Map, kArena, imports));
        test::WriteIndex(folders.cacheFolder, {GuidKey(kArena) + "=Arena.unr"});
        const std::vector<PackageItem> items = ListCacheIndex(folders.cacheFolder).items;
        EXPECT_EQ(Packages(MissingOffline(folders, items, 0).value()), c.missing) << c.settings;
    }
}

}  // namespace
}  // namespace thld
