// A program ended at any instant of Delete or Permanent (a real child process, ended at once as a
// kill would end it, at each of the run's disk steps in turn), and two programs changing one cache
// at once: once the next program has started on the cache, each package is in the cache with its
// line or gone from it (deleted, or whole at its destination) without, cache.ini is whole, and
// nothing the runs wrote meanwhile is left or listed. The killed program is given the folders
// relative (as `--game game` is typed); the next one each other way in turn (support/folder_spellings.h).

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>

#include "game/cache_contents.h"
#include "commands/command_fixture.h"
#include "support/folder_spellings.h"
#include "package/package_kind.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;
const std::string kMap{kind::Map};
const std::string kScript{kind::Script};
const std::string kTex{kind::Textures};
const std::string kPlayers = "the player's own";
constexpr int kKilled = 77;
constexpr int kNotLaidOut = -2;

struct KillRun {
    const char* what;
    bool permanent;
    std::vector<Cached> packages;
    std::vector<bool> ticks;
    std::map<std::string, std::string> destinations;  // by key, below the game folder (Permanent)
    std::string playersFile;                          // a file at a destination before the run
    bool mapsElsewhere = false;                       // Maps on a file system of its own (a tmpfs)
};

void PrintTo(const KillRun& run, std::ostream* out) { *out << run.what; }

class Kill : public CommandTest, public ::testing::WithParamInterface<KillRun> {
protected:
    ~Kill() override { Unmount(); }
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
        if (GetParam().mapsElsewhere) {
            temp.MakeFolder("game/Maps");
            mounted_ = ::mount("tmpfs", Path("Maps").c_str(), "tmpfs", 0, "size=4m") == 0;
            if (!mounted_)
                return false;
        }
        if (!GetParam().playersFile.empty())
            temp.Write("game/" + GetParam().playersFile, kPlayers);
        items = Lay(GetParam().packages);
        return true;
    }

    // Runs the command in a child process that ends at once when it reaches disk step `kill`
    // (counted from 0), as a kill between two steps would end it. Gives the child's exit status;
    // a child that ran to its end first writes the count of its steps to "steps".
    int RunChild(std::size_t kill)
    {
        if (!LayOut())
            return kNotLaidOut;
        const pid_t child = ::fork();
        if (child == 0) {
            std::size_t steps = 0;
            SetDiskFaultHook([&](DiskStep, const std::string&) -> std::optional<FileErrorCause> {
                if (steps++ == kill)
                    ::_exit(kKilled);
                return std::nullopt;
            });
            ScriptedPrompt prompt(std::deque<bool>(8, true));
            folders = spellings_.front().folders;
            try {
                GetParam().permanent ? Permanent(GetParam().ticks, prompt) : Delete(GetParam().ticks, prompt);
            } catch (...) {
                ::_exit(3);
            }
            SetDiskFaultHook({});
            temp.Write("steps", std::to_string(steps));
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The invariant, checked after the next program's listing, given the folders as `next` spells them.
    void ExpectWholeAfterNextStart(const GameFolders& next)
    {
        const KillRun& run = GetParam();
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
    const int clean = RunChild(static_cast<std::size_t>(-1));
    if (clean == kNotLaidOut)
        GTEST_SKIP() << "no tmpfs could be mounted for Maps (root and mount(2) are needed): the kills during a "
                        "move across file systems are not tried";
    ASSERT_EQ(clean, 0);
    const std::size_t steps = std::stoul(temp.Read("steps"));
    std::map<std::string, int> kills;
    for (std::size_t kill = 0; kill < steps; ++kill) {
        const FolderSpelling& next = spellings_[1 + kill % (spellings_.size() - 1)];
        SCOPED_TRACE("ended before disk step " + std::to_string(kill) + " of " + std::to_string(steps) +
                     ", the next program given the folders " + next.what);
        ASSERT_EQ(RunChild(kill), kKilled);
        ExpectWholeAfterNextStart(next.folders);
        ++kills[next.what];
        if (HasFailure())
            break;
    }
    std::string each;
    for (const auto& [what, count] : kills)
        each += " " + what + " " + std::to_string(count);
    std::printf("%s: ended the program at %zu disk steps, each left the cache whole; next given:%s\n", GetParam().what,
                steps, each.c_str());
}

INSTANTIATE_TEST_SUITE_P(, Kill,
                         ::testing::Values(
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
                             KillRun{"Delete", false, ThreePackages(), {true, true, true}, {}, ""}),
                         [](const ::testing::TestParamInfo<KillRun>& info) { return std::string(info.param.what); });

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
