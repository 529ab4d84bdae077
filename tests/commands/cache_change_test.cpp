// A run begins only on the cache that was listed, and only while no other program changes it:
// otherwise nothing is asked, nothing changes, and the user is told why.

#include <chrono>

#include "cache/cache_guard.h"
#include "cache/cache_listing.h"
#include "commands/command_fixture.h"
#include "platform/exclusive_lock.h"

namespace thld::test {
namespace {

using namespace std::chrono_literals;

struct Start {
    const char* what;
    bool otherProgramChangesIndex;  // between the listing and the run
    bool otherProgramHoldsLock;     // all the while the run waits
    std::size_t questions;
    const char* toldBeginning;  // "" for nothing told
    bool listAgain;
    bool programListsAgain = true;  // false: the command line's prompt
    const char* toldEnd = "";
};
void PrintTo(const Start& start, std::ostream* out) { *out << start.what; }

class RunStart : public CommandTest, public ::testing::WithParamInterface<Start> {};

TEST_P(RunStart, AsksOnlyAboutTheListedCacheWhileItHoldsIt)
{
    const Start& start = GetParam();
    items = Lay({{"K1", "One.unr", "Map"}, {"K2", "Two.utx", "Textures/Skins"}});
    const Listing listing = ListCacheIndex(folders.cacheFolder);
    if (start.otherProgramChangesIndex)
        WriteIndex({"[Cache]", "K1=One.unr"});  // K2 went meanwhile
    const auto before = Files();
    std::optional<ExclusiveLock> other;
    if (start.otherProgramHoldsLock)
        other = ExclusiveLock::Take(folders.cacheFolder + kLockFileName, 0ms);

    ScriptedPrompt prompt(std::deque<bool>(4, false));
    prompt.listsAgain = start.programListsAgain;
    const RunReport report = RunPlan(folders, PlanDelete(folders, items, {true, true}), prompt, listing.indexStamp);

    EXPECT_EQ(prompt.questions.size(), start.questions);
    if (*start.toldBeginning) {
        ASSERT_EQ(prompt.told.size(), 1u);
        const std::string beginning = std::string(start.toldBeginning) == "CACHEINI"
                                          ? folders.cacheFolder + "cache.ini has changed since the cache was listed."
                                          : start.toldBeginning;
        EXPECT_TRUE(prompt.told[0].starts_with(beginning)) << prompt.told[0];
        EXPECT_TRUE(prompt.told[0].ends_with(start.toldEnd)) << prompt.told[0];
    } else {
        EXPECT_TRUE(prompt.told.empty());
    }
    EXPECT_EQ(report.ListAgain(), start.listAgain);
    other.reset();
    EXPECT_EQ(Files(), before);
}

INSTANTIATE_TEST_SUITE_P(, RunStart,
                         ::testing::Values(Start{"AsListed", false, false, 2, "", false},
                                           Start{"ChangedSinceTheListing", true, false, 0, "CACHEINI", true, true,
                                                 " Nothing was changed; the cache is listed again."},
                                           Start{"ChangedSinceTheListingOnTheCommandLine", true, false, 0, "CACHEINI",
                                                 true, false, " Nothing was changed; run the command again."},
                                           Start{"AnotherProgramChangingIt", false, true, 0,
                                                 "Another program is changing the cache in ", false}),
                         [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld::test
