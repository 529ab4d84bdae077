#include <filesystem>

#include "commands/command_fixture.h"
#include "package/package_kind.h"
#include "platform/file_link.h"
#include "platform/folder.h"
#include "support/kinds.h"
#include "support/link_maker.h"

namespace thld::test {
namespace {

const std::string kOutside = "the file elsewhere";

// A cache whose file or destination is a symbolic link to a file outside the game folder: the
// commands read through it, but never delete, move or replace what it leads to.
struct LinkCase {
    const char* what;
    std::vector<Cached> packages;
    std::string link;  // below the game folder, made a link to the file outside it
    std::string told;
    std::vector<std::string> linesAfter;
    std::string movedMap;  // a map that moves all the same
};

void PrintTo(const LinkCase& c, std::ostream* out) { *out << c.what; }

class LinkedPermanent : public CommandTest, public ::testing::WithParamInterface<LinkCase> {};

TEST_P(LinkedPermanent, LeavesThePackageAndWhatTheLinkLeadsTo)
{
    const LinkCase& c = GetParam();
    Lay(c.packages);
    // The file elsewhere holds a texture package, so that reading through the link tells its kind.
    const std::string outside = temp / "outside.utx";
    WriteFileBytes(outside, PackageBytes(kTex, "KA"));
    std::filesystem::remove(Path(c.link));
    if (!MakeFileLink(Path(c.link), outside))
        GTEST_SKIP() << "this system makes no symbolic links here";

    ScriptedPrompt prompt({true});
    EXPECT_TRUE(Permanent({true}, prompt));
    EXPECT_EQ(prompt.questions.size(), 1u);
    EXPECT_EQ(prompt.told, std::vector<std::string>{c.told});
    EXPECT_EQ(IndexLines(), c.linesAfter);
    EXPECT_EQ(ReadFileBytes(outside), PackageBytes(kTex, "KA"));
    EXPECT_NE(LinkAt(Path(c.link)), LinkKind::None) << "the link stays";
    if (!c.movedMap.empty()) {
        EXPECT_TRUE(Moved(c.movedMap, kMap, "KM"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    , LinkedPermanent,
    ::testing::Values(LinkCase{"CachedFile",
                               {{"KA", "A.utx", kTex}},
                               "cache/KA.uxx",
                               "Left \"A.utx\" in the cache: its cached file is a link to another file.",
                               {"[Cache]", "KA=A.utx"},
                               ""},
                      LinkCase{"Destination",
                               {{"KA", "A.utx", kTex}},
                               "Textures/A.utx",
                               "Left \"A.utx\" in the cache: the file it would replace is a link to another file.",
                               {"[Cache]", "KA=A.utx"},
                               ""},
                      LinkCase{"RequiredPackage",
                               {{"KM", "Arena.unr", kMap, {"A.utx"}}, {"KA", "A.utx", kTex}},
                               "cache/KA.uxx",
                               "Left \"A.utx\" in the cache: its cached file is a link to another file.",
                               {"[Cache]", "KA=A.utx"},
                               "Maps/Arena.unr"}),
    [](const ::testing::TestParamInfo<LinkCase>& info) { return std::string(info.param.what); });

using LinkedDelete = CommandTest;

// Delete takes the link itself. Wine would delete what a Unix link leads to, so there the package
// stays, and the user is told why; the walk goes on.
TEST_F(LinkedDelete, TakesTheLinkItselfOrLeavesIt)
{
    Lay({{"KA", "A.utx", kTex}, {"KB", "B.utx", kTex}});
    const std::string outside = temp / "outside.utx";
    WriteFileBytes(outside, kOutside);
    std::filesystem::remove(CachedPath("KA"));
    if (!MakeFileLink(CachedPath("KA"), outside))
        GTEST_SKIP() << "this system makes no symbolic links here";

    ScriptedPrompt prompt({true, true});
    EXPECT_TRUE(Delete({true, true}, prompt));
    EXPECT_EQ(ReadFileBytes(outside), kOutside);
    EXPECT_FALSE(IsCached("KB"));
    if (RunningUnderWine()) {
        EXPECT_EQ(prompt.told, (std::vector<std::string>{"Left \"A.utx\" in the cache: its cached file is a link that "
                                                         "can't be deleted here without the file it leads to."}));
        EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]", "KA=A.utx"}));
        EXPECT_EQ(ReadFileBytes(CachedPath("KA")), kOutside);
    } else {
        EXPECT_TRUE(prompt.told.empty());
        EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
        EXPECT_FALSE(PathExists(CachedPath("KA")));
        EXPECT_EQ(Snapshot(Path("cache")).size(), 2u);  // cache.ini and cache.bak
    }
}

}  // namespace
}  // namespace thld::test
