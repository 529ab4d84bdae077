// A program ended at any instant of Return or Tidy (a real child process, ended at each of the run's
// disk steps in turn by a kill, or by a power cut that loses what was not synced; given the folders
// relative, the next program each other way in turn): once the next program has listed the
// cache, each installed package is either where it was or in the cache under its GUID with its
// line, each stale line and chosen orphan is either there or gone, cache.ini is whole, and nothing
// the run wrote meanwhile is left.

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "commands/command_fixture.h"
#include "commands/return_plan.h"
#include "commands/tidy_plan.h"
#include "game/cache_contents.h"
#include "package/package_kind.h"
#include "support/crash_harness.h"
#include "support/made_package.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;
class FixKillTest;

struct FixKill {
    const char* what;
    // Lays the game folder out and gives the plan to run.
    std::function<CommandPlan(FixKillTest&)> layOut;
    // The invariant, checked after the next program's listing.
    std::function<void(FixKillTest&)> expectWhole;
    bool systemElsewhere = false;  // System on a file system of its own (a tmpfs): Return copies
};

void PrintTo(const FixKill& run, std::ostream* out) { *out << run.what; }

const MadeGuid kGuidA{0x11111111, 2, 3, 4};
const MadeGuid kGuidB{0x22222222, 2, 3, 4};
const std::string kOrphan = std::string(32, 'D');

std::string Installed(const MadeGuid& guid) { return PackageImporting(kind::Script, guid, {}); }

class FixKillTest : public CommandTest, public ::testing::WithParamInterface<std::tuple<FixKill, CrashKind>> {
protected:
    ~FixKillTest() override { Unmount(); }
    const FixKill& Run() const { return std::get<0>(GetParam()); }
    void Unmount()
    {
        if (mounted_)
            ::umount(Path("System").c_str());
        mounted_ = false;
    }

    // False when System should be a file system of its own and none could be mounted.
    bool LayOut()
    {
        Unmount();
        fs::remove_all(Path(""));
        for (const char* sub : {"game/cache", "game/System", "game/Textures", "game/Maps"})
            temp.MakeFolder(sub);
        if (Run().systemElsewhere) {
            mounted_ = ::mount("tmpfs", Path("System").c_str(), "tmpfs", 0, "size=4m") == 0;
            if (!mounted_)
                return false;
        }
        plan_ = Run().layOut(*this);
        return true;
    }

    // The plan run as the ended program runs it: given the folders relative; false when a step that
    // acts was not done.
    bool RunPlanned()
    {
        ScriptedPrompt prompt(std::deque<bool>(8, true));
        const RunReport report = RunPlan(spellings_.front().folders, plan_, prompt);
        if (report.Failure())
            return false;
        for (std::size_t i = 0; i < plan_.steps.size(); ++i)
            if (plan_.steps[i].Acts() && report.outcomes[i].result != StepOutcome::Result::Done)
                return false;
        return true;
    }

    std::vector<FolderSpelling> spellings_ = SpellingsOf(folders, temp / "game-link");

public:
    using CommandTest::items;
    using CommandTest::Lay;
    void ExpectIndexWhole()
    {
        const std::string index = ReadFileBytes(folders.cacheFolder + "cache.ini");
        EXPECT_TRUE(index.starts_with("[Cache]\r\n") && index.ends_with("\r\n\r\n")) << index;
    }
    void ExpectOnly(std::set<std::string> files)
    {
        files.insert({"cache/cache.ini", "cache/cache.bak", "cache/cache.ini.tallyhold-lock"});
        for (const auto& [file, bytes] : Snapshot(Path("")))
            EXPECT_TRUE(files.contains(file)) << "left behind: " << file;
    }
    // Installed in System, or cached under its GUID with its line: one of the two, whole.
    void ExpectInOnePlace(const std::string& file, const MadeGuid& guid)
    {
        SCOPED_TRACE(file);
        const std::string key = GuidKey(guid);
        const bool installed = fs::exists(Path("System/" + file));
        const bool cached = IsCached(key);
        EXPECT_NE(installed, cached);
        EXPECT_EQ(InIndex(key + "=" + file), cached);
        EXPECT_EQ(ReadFileBytes(cached ? CachedPath(key) : Path("System/" + file)), Installed(guid));
    }

private:
    bool mounted_ = false;
    CommandPlan plan_;
};

CommandPlan LayReturn(FixKillTest& t)
{
    t.items = t.Lay({{"KA", "Alpha.u", std::string(kind::Script)}, {"KB", "Beta.u", std::string(kind::Script)}});
    WriteFileBytes(t.Path("System/Alpha.u"), Installed(kGuidA));
    WriteFileBytes(t.Path("System/Beta.u"), Installed(kGuidB));
    return PlanReturn(t.folders, t.items, {true, true});
}

void ExpectReturnWhole(FixKillTest& t)
{
    t.ExpectInOnePlace("Alpha.u", kGuidA);
    t.ExpectInOnePlace("Beta.u", kGuidB);
    EXPECT_TRUE(t.InIndex("KA=Alpha.u") && t.InIndex("KB=Beta.u"));
    t.ExpectOnly({"cache/KA.uxx", "cache/KB.uxx", "cache/" + GuidKey(kGuidA) + ".uxx",
                  "cache/" + GuidKey(kGuidB) + ".uxx", "System/Alpha.u", "System/Beta.u"});
}

TEST_P(FixKillTest, EveryPackageInOnePlaceWhereverTheProgramEnds)
{
    const CrashKind kind = std::get<1>(GetParam());
    const CrashCase crash{[&] { return LayOut(); }, [&] { return RunPlanned(); },
                          [&](const GameFolders& next) {
                              ListCacheContents(next, InstalledCopies::Skip);
                              ExpectIndexWhole();
                              Run().expectWhole(*this);
                          }};
    const CrashTally tally = CrashAtEveryStep(crash, kind, Path(""), {spellings_.begin() + 1, spellings_.end()});
    if (!tally.laidOut)
        GTEST_SKIP() << "no tmpfs could be mounted for System (root and mount(2) are needed): the crashes during a "
                        "return across file systems are not tried";
    std::printf("%s, %s: %s; each left the cache whole\n", Run().what, CrashWords(kind), tally.Text().c_str());
}

INSTANTIATE_TEST_SUITE_P(
    , FixKillTest,
    ::testing::Combine(::testing::Values(
                           // Two installed copies of another version than the cached ones go back into the cache.
                           FixKill{"Return", LayReturn, ExpectReturnWhole},
                           // The same with System on another file system: the packages are copied.
                           FixKill{"ReturnAcrossFileSystems", LayReturn, ExpectReturnWhole, true},
                           // A stale line removed and a file without a line deleted.
                           FixKill{"Tidy",
                                   [](FixKillTest& t) {
                                       t.items = t.Lay({{"KA", "Alpha.utx", std::string(kind::Textures)},
                                                        {"KS", "Gone.utx", std::string(kind::Textures)}});
                                       fs::remove(t.CachedPath("KS"));
                                       WriteFileBytes(t.CachedPath(kOrphan), "orphan");
                                       std::vector<CacheProblem> problems(2);
                                       problems[0].kind = CacheProblem::Kind::Stale;
                                       problems[0].name = "Gone.utx";
                                       problems[0].key = "KS";
                                       problems[0].path = t.CachedPath("KS");
                                       problems[1].kind = CacheProblem::Kind::Orphan;
                                       problems[1].key = kOrphan;
                                       problems[1].path = t.CachedPath(kOrphan);
                                       return PlanTidy(problems, {true, true});
                                   },
                                   [](FixKillTest& t) {
                                       EXPECT_TRUE(t.InIndex("KA=Alpha.utx"));
                                       EXPECT_TRUE(!t.IsCached(kOrphan) ||
                                                   ReadFileBytes(t.CachedPath(kOrphan)) == "orphan");
                                       t.ExpectOnly({"cache/KA.uxx", "cache/" + kOrphan + ".uxx"});
                                   }}),
                       ::testing::Values(CrashKind::Kill, CrashKind::PowerCut, CrashKind::DiskFault)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).what) + CrashTestName(std::get<1>(info.param));
    });

}  // namespace
}  // namespace thld::test
