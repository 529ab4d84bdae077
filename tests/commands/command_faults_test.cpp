#include <algorithm>
#include <filesystem>
#include <optional>

#include "cache/cache_guard.h"
#include "commands/command_fixture.h"
#include "game/game_step_places.h"
#include "package/package_kind.h"
#include "support/kinds.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;
const std::string kPlayers = "the player's own";

// A run of Delete or Permanent, to be failed at each of its disk steps in turn.
struct FaultRun {
    const char* what;
    bool permanent;
    std::vector<Cached> packages;
    std::vector<bool> ticks;
    std::map<std::string, std::string> destinations;  // by key, below the game folder (Permanent)
    std::string playersFile;                          // a file at a destination before the run
    std::string missingFolder;                        // a destination folder that is not there
    std::size_t questions;                            // asked in a run without faults
    bool batched = false;                             // answered as --yes does: the Deletes go together
};

void PrintTo(const FaultRun& run, std::ostream* out) { *out << run.what; }

// What the commands tell when cache.ini can't be read or written, after which they stop.
bool IsIndexError(const std::string& message)
{
    return message.starts_with("Error reading file ") || message.starts_with("Error writing new file ");
}

class CommandFaults : public CommandTest, public ::testing::WithParamInterface<FaultRun> {
protected:
    struct Outcome {
        std::size_t steps = 0;  // disk steps taken
        bool thrown = false;
        std::vector<std::string> told;
        std::size_t questions = 0;
        std::optional<DiskStep> failed;  // the step failed, when it was reached
        std::string failedPath;
        std::map<std::string, std::size_t> leftCacheAt;  // by key: the step moving its file away
    };

    void LayOut()
    {
        const FaultRun& run = GetParam();
        fs::remove_all(Path(""));
        for (const char* sub : {"game/cache", "game/Maps", "game/System", "game/Textures"})
            temp.MakeFolder(sub);
        if (!run.missingFolder.empty())
            fs::remove(Path(run.missingFolder));
        if (!run.playersFile.empty())
            temp.Write("game/" + run.playersFile, kPlayers);
        Lay(run.packages);
    }

    // Runs the command, failing disk step `failing` (counted from 0) when it is reached.
    Outcome Run(std::size_t failing)
    {
        LayOut();
        Outcome outcome;
        auto previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
            const std::size_t index = outcome.steps++;
            for (const Cached& p : GetParam().packages)
                if ((step == DiskStep::Move || step == DiskStep::Remove) && path == CachedPath(p.key))
                    outcome.leftCacheAt.emplace(p.key, index);
            if (index != failing)
                return std::nullopt;
            outcome.failed = step;
            outcome.failedPath = path;
            return FileErrorCause::AccessDenied;
        });
        ScriptedPrompt prompt(std::deque<bool>(8, true));
        prompt.asks = !GetParam().batched;
        try {
            if (GetParam().permanent)
                Permanent(GetParam().ticks, prompt);
            else
                Delete(GetParam().ticks, prompt);
        } catch (const FileError&) {
            outcome.thrown = true;
        }
        SetDiskFaultHook(std::move(previous));
        outcome.told = prompt.told;
        outcome.questions = prompt.questions.size();
        return outcome;
    }

    // Each package is either cached with its line, or gone from the cache without it: deleted, or
    // whole at its destination. A failure stops the run: no package whose file left the cache after
    // the failed step (in a run without faults) has gone. Once the next program has settled what the
    // run left, nothing else is left in the game folder but the cache's lock file.
    void ExpectInStep(const Outcome& faulted, const Outcome& clean, bool settled)
    {
        const FaultRun& run = GetParam();
        const bool failure = faulted.thrown || std::any_of(faulted.told.begin(), faulted.told.end(), IsIndexError);
        std::set<std::string> expectedFiles = {"cache/cache.ini", "cache/cache.bak", "cache/cache.ini.tallyhold-lock"};
        for (const Cached& p : run.packages) {
            SCOPED_TRACE(p.value);
            const bool cached = IsCached(p.key) && ReadFileBytes(CachedPath(p.key)) == PackageBytes(p.kind, p.key);
            const bool lined = InIndex(p.key + "=" + p.value);
            const std::string destination = run.permanent ? run.destinations.at(p.key) : "";
            const bool placed = run.permanent && Moved(destination, p.kind, p.key);
            EXPECT_TRUE(cached ? lined && !placed : !lined && (placed || !run.permanent));
            if (failure && !cached) {
                EXPECT_LT(clean.leftCacheAt.at(p.key), faulted.steps) << "gone after the run had failed";
            }
            expectedFiles.insert("cache/" + p.key + ".uxx");
            if (run.permanent)
                expectedFiles.insert(destination);
        }
        if (!run.playersFile.empty() && !Moved(run.playersFile, kTex, "KW")) {
            EXPECT_EQ(ReadFileBytes(Path(run.playersFile)), kPlayers);
            expectedFiles.insert(run.playersFile);
        }
        if (settled) {
            for (const auto& [file, bytes] : Snapshot(Path("")))
                EXPECT_TRUE(expectedFiles.count(file)) << "left behind: " << file;
        }
        EXPECT_LE(std::count_if(faulted.told.begin(), faulted.told.end(), IsIndexError), 1);
    }
};

TEST_P(CommandFaults, EveryPackageStaysInStepWhicheverDiskStepFails)
{
    const Outcome clean = Run(static_cast<std::size_t>(-1));
    ASSERT_FALSE(clean.thrown);
    EXPECT_TRUE(clean.told.empty());
    EXPECT_EQ(clean.questions, GetParam().questions);
    for (const Cached& p : GetParam().packages) {
        EXPECT_FALSE(IsCached(p.key)) << p.value;
        if (GetParam().permanent) {
            EXPECT_TRUE(Moved(GetParam().destinations.at(p.key), p.kind, p.key)) << p.value;
        }
    }
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));

    for (std::size_t failing = 0; failing < clean.steps; ++failing) {
        const Outcome faulted = Run(failing);
        SCOPED_TRACE("failing disk step " + std::to_string(failing) + " of " + std::to_string(clean.steps) + ": " +
                     faulted.failedPath);
        ExpectInStep(faulted, clean, false);
        RecoverCacheIfIdle(StepPlacesOf(folders));
        ExpectInStep(faulted, clean, true);
        if (HasFailure())
            break;
    }
}

INSTANTIATE_TEST_SUITE_P(
    , CommandFaults,
    ::testing::Values(
        // A map whose requirements have requirements of their own, one of them ticked as well and
        // replacing a file of the player's, into a Maps folder that is not there yet; then a texture.
        FaultRun{"Permanent",
                 true,
                 ArenaPackages(),
                 {true, true, false, false, true},
                 ArenaDestinations(),
                 "Textures/Walls.utx",
                 "Maps",
                 3},
        FaultRun{"Delete", false, ThreePackages(), {true, true, true}, {}, "", "", 3},
        FaultRun{"DeleteBatched", false, ThreePackages(), {true, true, true}, {}, "", "", 0, true}),
    [](const ::testing::TestParamInfo<FaultRun>& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld::test
