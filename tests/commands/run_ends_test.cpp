// What a run finds before its first question, and how it ends early: the game running, a record
// left by an ended program that it can't settle or won't act on; a stop between two packages; and
// a run of many Deletes answered unasked, carried out a batch at a time.

#include "cache/cache_guard.h"
#include "cache/step_journal.h"
#include "commands/command_fixture.h"
#include "commands/delete_plan.h"
#include "package/package_kind.h"

namespace thld::test {
namespace {

class BeforeAndDuringARun : public CommandTest {
protected:
    void SetUp() override { items = Lay(ThreePackages()); }
    RunReport DeleteAll(ScriptedPrompt& prompt, const ProcessScanner& scanner = ProcessScanner(),
                        const RunProgress& progress = {})
    {
        return RunPlan(folders, PlanDelete(folders, items, {true, true, true}), prompt, std::nullopt, scanner,
                       progress);
    }
};

TEST_F(BeforeAndDuringARun, WhileTheGameRunsNothingIsAskedOrChanged)
{
    const auto before = Files();
    ScriptedPrompt prompt;
    const RunReport report = DeleteAll(prompt, ProcessScanner([] { return std::vector<std::string>{"ut-bin"}; }));
    EXPECT_TRUE(report.gameRunning);
    EXPECT_EQ(prompt.said, (std::vector<std::string>{"! Unreal Tournament has been detected running on this system.  "
                                                     "Please shut it down before running this program."}));
    EXPECT_EQ(Files(), before);
}

TEST_F(BeforeAndDuringARun, ARecordOfAnotherGameFolderStaysAndKeepsEveryChangeFromBeginning)
{
    temp.MakeFolder("other/Maps");
    const std::string record = EncodeStepJournal(
        {StepJournal::Kind::Move, "K9=Nine.unr", CachedPath("K9"), "", temp / "other/Maps/Nine.unr", temp / "other/"});
    temp.Write(std::string("game/cache/") + kStepJournalFileName, record);
    const auto before = Files();
    ScriptedPrompt prompt;
    DeleteAll(prompt);
    EXPECT_EQ(
        prompt.said,
        (std::vector<std::string>{"! " + folders.cacheFolder +
                                  "cache.ini.tallyhold-journal records a change in another game "
                                  "folder, " +
                                  temp / "other/" +
                                  ", that a program ended midway. Nothing was changed. "
                                  "Open the cache with that game folder to settle it, or, if that game folder is gone, "
                                  "remove the record."}));
    auto after = Files();
    after.erase("cache/cache.ini.tallyhold-lock");
    EXPECT_EQ(after, before);
}

TEST_F(BeforeAndDuringARun, ARecordNotOfThisCacheIsSetAsideAndTheRunGoesOn)
{
    const std::string record = EncodeStepJournal(
        {StepJournal::Kind::Delete, "K1=One.unr", temp / "K1.uxx", temp / "K1.uxx.tallyhold-old", "", ""});
    temp.Write(std::string("game/cache/") + kStepJournalFileName, record);
    ScriptedPrompt prompt({false, false, false});
    DeleteAll(prompt);
    ASSERT_FALSE(prompt.told.empty());
    EXPECT_EQ(prompt.told.front(),
              folders.cacheFolder +
                  "cache.ini.tallyhold-journal is not a record of a step of this cache (its cached file "
                  "is not the file of its line's key in this cache folder): it was set aside as " +
                  folders.cacheFolder + "cache.ini.tallyhold-journal.set-aside, and nothing it names was changed.");
    EXPECT_EQ(ReadFileBytes(folders.cacheFolder + "cache.ini.tallyhold-journal.set-aside"), record);
    EXPECT_EQ(prompt.questions.size(), 3u) << "the run went on";
}

TEST_F(BeforeAndDuringARun, AStopEndsTheRunBetweenTwoPackagesLeavingTheRestUntouched)
{
    ScriptedPrompt prompt(std::deque<bool>(3, true));
    const RunReport report = DeleteAll(prompt, ProcessScanner(), [](std::size_t done, std::size_t, const std::string&) {
        return done == 2 ? RunStep::Stop : RunStep::Continue;
    });
    EXPECT_TRUE(report.stopped);
    EXPECT_FALSE(IsCached("K1") || IsCached("K2"));
    EXPECT_TRUE(IsCached("K3") && InIndex("K3=Three.u"));
    EXPECT_EQ(report.outcomes[2].result, StepOutcome::Result::NotReached);
}

TEST_F(BeforeAndDuringARun, ManyDeletesAnsweredUnaskedGoABatchAtATime)
{
    std::vector<Cached> many;
    for (int i = 0; i < 1500; ++i) {
        std::string key = "K", value = "P";  // appended piece by piece: g++ 12 warns on "K" + std::string
        key += std::to_string(i);
        value += std::to_string(i);
        value += ".utx";
        many.push_back({key, value, std::string(kind::Textures)});
    }
    items = Lay(many);
    ScriptedPrompt prompt;
    prompt.asks = false;
    std::size_t rewrites = 0;
    const DiskFaultHook previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) {
        if (step == DiskStep::Replace && path.ends_with("cache.ini.new"))
            ++rewrites;
        return std::optional<FileErrorCause>();
    });
    const RunReport report = RunPlan(folders, PlanDelete(folders, items, std::vector<bool>(many.size(), true)), prompt);
    SetDiskFaultHook(previous);
    EXPECT_FALSE(report.Failure());
    EXPECT_EQ(rewrites, 2u) << "one rewrite of cache.ini for each batch of 1024";
    EXPECT_EQ(IndexLines(), (std::vector<std::string>{"[Cache]"}));
    EXPECT_EQ(Files().size(), 2u) << "cache.ini and cache.bak";
}

}  // namespace
}  // namespace thld::test
