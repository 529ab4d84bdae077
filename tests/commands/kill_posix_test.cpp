// A program ended at any instant of Delete or Permanent (a real child process, ended at each of the
// run's disk steps in turn by a kill, or by a power cut that loses what was not synced), and two
// programs changing one cache at once: once the next program has started on the cache, each package
// is in the cache with its line or gone from it (deleted, or whole at its destination) without,
// cache.ini is whole, and nothing the runs wrote meanwhile is left or listed. The ended program is
// given the folders relative (as `--game game` is typed); the next one each other way in turn
// (support/folder_spellings.h).

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "commands/command_fixture.h"
#include "game/cache_contents.h"
#include "package/package_kind.h"
#include "support/crash_harness.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;
const std::string kPlayers = "the player's own";

struct KillRun {
    const char* what;
    bool permanent;
    std::vector<Cached> packages;
    std::vector<bool> ticks;
    std::map<std::string, std::string> destinations;  // by key, below the game folder (Permanent)
    std::string playersFile;                          // a file at a destination before the run
    bool mapsElsewhere = false;                       // Maps on a file system of its own (a tmpfs)
    bool batched = false;                             // answered as --yes does: the Deletes go together
};

class Kill : public CommandTest, public ::testing::WithParamInterface<std::tuple<KillRun, CrashKind>> {
protected:
    ~Kill() override { Unmount(); }
    const KillRun& Run() const { return std::get<0>(GetParam()); }
    void Unmount()
    {
        if (mounted_)
            ::umount(Path("Maps").c_str());
        mounted_ = false;
    }

    // False when Maps should be on a file system of its own and none could be mounted.
    bool LayOut()
    {
        Unmount();
        fs::remove_all(Path(""));
        for (const char* sub : {"game/cache", "game/System", "game/Textures"})
            temp.MakeFolder(sub);  // no Maps: the run makes it, unless it is a file system of its own
        if (Run().mapsElsewhere) {
            temp.MakeFolder("game/Maps");
            mounted_ = ::mount("tmpfs", Path("Maps").c_str(), "tmpfs", 0, "size=4m") == 0;
            if (!mounted_)
                return false;
        }
        if (!Run().playersFile.empty())
            temp.Write("game/" + Run().playersFile, kPlayers);
        items = Lay(Run().packages);
        return true;
    }

    // The command as the ended program runs it, given the folders relative (as `--game game` is
    // typed); false, saying why, when a step that acts was not done.
    bool RunCommand()
    {
        ScriptedPrompt prompt(std::deque<bool>(8, true));
        prompt.asks = !Run().batched;
        folders = spellings_.front().folders;
        const RunReport report = RunPlan(
            folders,
            Run().permanent ? PlanPermanent(folders, items, Run().ticks) : PlanDelete(folders, items, Run().ticks),
            prompt);
        for (const StepOutcome& outcome : report.outcomes) {
            if (outcome.result == StepOutcome::Result::Failed || outcome.result == StepOutcome::Result::NotReached ||
                (outcome.result == StepOutcome::Result::PassedOver && !Run().permanent)) {
                if (std::get<1>(GetParam()) == CrashKind::DiskFault)
                    return false;  // as a failed disk step makes it
                std::fprintf(stderr, "a step ended %d (why %d); told:", static_cast<int>(outcome.result),
                             static_cast<int>(outcome.why));
                for (const std::string& told : prompt.told)
                    std::fprintf(stderr, " %s", told.c_str());
                std::fprintf(stderr, "\n");
                return false;
            }
        }
        return true;
    }

    // The invariant, checked after the next program's listing, given the folders as `next` spells them.
    void ExpectWholeAfterNextStart(const GameFolders& next)
    {
        const KillRun& run = Run();
        const Listing listing = ListCacheContents(next, InstalledCopies::Skip).listing;
        std::set<std::string> listed;
        for (const PackageItem& item : listing.items)
            listed.insert(item.name);
        const std::string index = ReadFileBytes(folders.cacheFolder + "cache.ini");
        EXPECT_TRUE(index.starts_with("[Cache]\r\n") && index.ends_with("\r\n\r\n")) << index;
        std::set<std::string> expectedFiles = {"cache/cache.ini", "cache/cache.bak", "cache/cache.ini.tallyhold-lock"};
        for (const Cached& p : run.packages) {
            SCOPED_TRACE(p.value);
            const bool cached = IsCached(p.key) && ReadFileBytes(CachedPath(p.key)) == PackageBytes(p.kind, p.key);
            const bool lined = InIndex(p.key + "=" + p.value);
            const std::string destination = run.permanent ? run.destinations.at(p.key) : "";
            const bool placed = run.permanent && Moved(destination, p.kind, p.key);
            EXPECT_TRUE(cached ? lined && !placed : !lined && (placed || !run.permanent));
            EXPECT_EQ(listed.contains(p.value), cached);
            expectedFiles.insert("cache/" + p.key + ".uxx");
            if (run.permanent)
                expectedFiles.insert(destination);
        }
        EXPECT_EQ(listed.size(), listing.items.size());
        if (!run.playersFile.empty() && !Moved(run.playersFile, kTex, "KW")) {
            EXPECT_EQ(ReadFileBytes(Path(run.playersFile)), kPlayers);
            expectedFiles.insert(run.playersFile);
        }
        for (const auto& [file, bytes] : Snapshot(Path("")))
            EXPECT_TRUE(expectedFiles.contains(file)) << "left behind: " << file;
    }

    std::vector<FolderSpelling> spellings_ = SpellingsOf(folders, temp / "game-link");

private:
    bool mounted_ = false;
};

TEST_P(Kill, EveryPackageInStepWhereverTheProgramEnds)
{
    const CrashKind kind = std::get<1>(GetParam());
    const CrashCase crash{[&] { return LayOut(); }, [&] { return RunCommand(); },
                          [&](const GameFolders& next) { ExpectWholeAfterNextStart(next); }};
    const CrashTally tally = CrashAtEveryStep(crash, kind, Path(""), {spellings_.begin() + 1, spellings_.end()});
    if (!tally.laidOut)
        GTEST_SKIP() << "no tmpfs could be mounted for Maps (root and mount(2) are needed): the crashes during a "
                        "move across file systems are not tried";
    std::printf("%s, %s: %s; each left the cache whole\n", Run().what, CrashWords(kind), tally.Text().c_str());
}

INSTANTIATE_TEST_SUITE_P(
    , Kill,
    ::testing::Combine(::testing::Values(
                           // A map whose requirements have requirements of their own, one of them
                           // replacing a file of the player's, into a Maps folder not there yet.
                           KillRun{"Permanent",
                                   true,
                                   ArenaPackages(),
                                   {true, false, false, false, true},
                                   ArenaDestinations(),
                                   "Textures/Walls.utx"},
                           // The same with Maps on another file system: the map is copied.
                           KillRun{"PermanentAcrossFileSystems",
                                   true,
                                   ArenaPackages(),
                                   {true, false, false, false, true},
                                   ArenaDestinations(),
                                   "Textures/Walls.utx",
                                   true},
                           KillRun{"Delete", false, ThreePackages(), {true, true, true}, {}, ""},
                           KillRun{"DeleteBatched", false, ThreePackages(), {true, true, true}, {}, "", false, true}),
                       ::testing::Values(CrashKind::Kill, CrashKind::PowerCut, CrashKind::DiskFault)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).what) + CrashTestName(std::get<1>(info.param));
    });

// Two programs on one cache at once, started together: one makes a map permanent with what it
// requires while the other deletes every package, each given the folders another way. Whichever
// takes the cache first, each package ends in one place, and the one that waited either ran after it
// or was told and changed nothing.
class TwoPrograms : public CommandTest {
protected:
    std::vector<FolderSpelling> spellings_ = SpellingsOf(folders, temp / "game-link");
};

TEST_F(TwoPrograms, ChangeOneCacheOneAfterTheOther)
{
    const std::vector<Cached> packages = ArenaPackages();
    const std::map<std::string, std::string> destinations = ArenaDestinations();
    constexpr int kRuns = 20;
    for (int runIndex = 0; runIndex < kRuns; ++runIndex) {
        SCOPED_TRACE("run " + std::to_string(runIndex));
        fs::remove_all(Path(""));
        for (const char* sub : {"game/cache", "game/Maps", "game/System", "game/Textures"})
            temp.MakeFolder(sub);
        items = Lay(packages);
        int gate[2];
        ASSERT_EQ(::pipe(gate), 0);
        pid_t children[2];
        for (int which = 0; which < 2; ++which) {
            children[which] = ::fork();
            if (children[which] == 0) {
                ::close(gate[1]);
                char go;
                (void)::read(gate[0], &go, 1);
                ScriptedPrompt prompt(std::deque<bool>(8, true));
                const GameFolders& spelled = spellings_[(runIndex + 3 * which) % spellings_.size()].folders;
                if (which == 1 || !spelled.gameFolder.empty())
                    folders = spelled;  // Permanent needs a game folder: it keeps the absolute one
                try {
                    which == 0 ? Permanent({true}, prompt) : Delete(std::vector<bool>(packages.size(), true), prompt);
                } catch (...) {
                    ::_exit(3);
                }
                const bool told = std::any_of(prompt.told.begin(), prompt.told.end(), [](const std::string& m) {
                    return m.starts_with("Another program is changing the cache");
                });
                ::_exit(told ? 4 : 0);
            }
        }
        ::close(gate[0]);
        ::close(gate[1]);  // both start now
        for (pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            ASSERT_TRUE(WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 4));
        }
        ListCacheContents(folders, InstalledCopies::Skip);
        for (const Cached& p : packages) {
            SCOPED_TRACE(p.value);
            const bool cached = IsCached(p.key);
            const bool lined = InIndex(p.key + "=" + p.value);
            const bool placed = Moved(destinations.at(p.key), p.kind, p.key);
            EXPECT_TRUE(cached ? lined && !placed : !lined);
        }
        std::set<std::string> expectedFiles = {"cache/cache.ini", "cache/cache.bak"};
        for (const Cached& p : packages) {
            expectedFiles.insert("cache/" + p.key + ".uxx");
            expectedFiles.insert(destinations.at(p.key));
        }
        for (const auto& [file, bytes] : Snapshot(Path("")))
            EXPECT_TRUE(expectedFiles.contains(file)) << "left behind: " << file;
        if (HasFailure())
            break;
    }
}

}  // namespace
}  // namespace thld::test
