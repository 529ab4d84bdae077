#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "cache/index_rewrite.h"
#include "cache_folder.h"
#include "generated_index.h"
#include "platform/code_page.h"
#include "platform/file.h"
#include "platform/file_fault.h"

namespace thld {
namespace {

using test::CacheFolder;
using test::GeneratedIndex;
using Texts = std::vector<std::string>;

const std::string kOlderBackup = "an older backup\r\n";
const std::string kNewFile = "cache.ini.new";
const std::string kNewBackup = "cache.bak.new";

// A line of a file without a mark as the program's text: its key and value each from the code page.
std::string CodePageLine(const std::string& line)
{
    const auto at = line.find('=');
    if (at == std::string::npos)
        return TextFromCodePage(line);
    return TextFromCodePage(line.substr(0, at)) + "=" + TextFromCodePage(line.substr(at + 1));
}

TEST(RemoveEntryLineRoundTrips, EveryLineNumberOfGeneratedFiles)
{
    std::mt19937 random(20261207);
    int removals = 0;
    for (int round = 0; round < 60; ++round) {
        const GeneratedIndex generated = test::GenerateIndex(random);
        const std::string former = generated.Bytes();
        const int lines = static_cast<int>(generated.lines.size());
        for (int number = -2; number <= lines + 1; ++number) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", line " << number);
            CacheFolder folder;
            folder.Index(former);
            const bool olderBackup = (round + number) % 2 == 0;
            if (olderBackup)
                folder.Write("cache.bak", kOlderBackup);
            RemovedLine result = RemoveEntryLine(folder.Path(), number);
            if (generated.header < 0) {
                EXPECT_EQ(result.outcome, RemovedLine::Outcome::NoHeader);
                EXPECT_EQ(result.text, "");
                EXPECT_EQ(folder.Index(), former);
                EXPECT_EQ(folder.Names().size(), olderBackup ? 2u : 1u);
                continue;
            }
            const bool entry = generated.IsEntryLine(number);
            EXPECT_EQ(result.outcome, entry ? RemovedLine::Outcome::Removed : RemovedLine::Outcome::NoSuchLine);
            removals += entry;
            std::string expectedText = generated.lines[entry ? number : generated.header].text;
            std::erase(expectedText, '\r');
            EXPECT_EQ(result.text, generated.mark ? expectedText : CodePageLine(expectedText));
            ASSERT_EQ(folder.Index(), generated.Rewritten(number));
            ASSERT_EQ(folder.Read("cache.bak"), former);
            EXPECT_EQ(folder.Names(), (Texts{"cache.bak", "cache.ini"}));
        }
    }
    EXPECT_GT(removals, 100) << "the generated files hold too few entry lines to tell much";
}

// Runs a rewrite in which every disk step from the `failing`-th on (counted from 1) fails with
// DiskFull; with `onlyOne` just that step fails. Returns the disk steps asked for.
struct FaultRun {
    std::optional<RemovedLine> result;
    std::optional<FileErrorCause> error;
    std::vector<std::pair<DiskStep, std::string>> steps;
};
FaultRun RunWithFault(const CacheFolder& folder, int lineNumber, int failing, bool onlyOne)
{
    FaultRun run;
    SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        run.steps.emplace_back(step, path.substr(folder.Path().size()));
        int count = static_cast<int>(run.steps.size());
        if (count == failing || (!onlyOne && failing > 0 && count > failing))
            return FileErrorCause::DiskFull;
        return std::nullopt;
    });
    try {
        run.result = RemoveEntryLine(folder.Path(), lineNumber);
    } catch (const FileError& error) {
        run.error = error.Cause();
    }
    SetDiskFaultHook({});
    return run;
}

class RemoveEntryLineFaults : public ::testing::TestWithParam<bool> {
protected:
    const std::string former = "\xEF\xBB\xBF; top\n[Cache]\r\nAAAA=Alpha\r\nBBBB=Beta\r\r\nCCCC=Gamma\r\n\r\nrest";
    const std::string rewritten = "\xEF\xBB\xBF; top\n[Cache]\r\nAAAA=Alpha\r\nCCCC=Gamma\r\n\r\nrest";
    static constexpr int kLine = 3;  // BBBB=Beta

    void Prepare(const CacheFolder& folder) const
    {
        folder.Index(former);
        if (GetParam())
            folder.Write("cache.bak", kOlderBackup);
    }
    // cache.bak as it was before the rewrite.
    std::optional<std::string> OlderBackup() const { return GetParam() ? std::optional(kOlderBackup) : std::nullopt; }
    static std::optional<std::string> Backup(const CacheFolder& folder)
    {
        return folder.Exists("cache.bak") ? std::optional(folder.Read("cache.bak")) : std::nullopt;
    }
};

TEST_P(RemoveEntryLineFaults, EachSingleFailingStepLeavesTheIndexWhole)
{
    std::vector<std::pair<DiskStep, std::string>> steps;
    {
        CacheFolder folder;
        Prepare(folder);
        steps = RunWithFault(folder, kLine, 0, true).steps;
        EXPECT_EQ(folder.Index(), rewritten);
    }
    ASSERT_GE(steps.size(), 12u);
    for (int failing = 1; failing <= static_cast<int>(steps.size()); ++failing) {
        const auto& [step, path] = steps[failing - 1];
        SCOPED_TRACE(testing::Message() << "failing step " << failing << " on " << path);
        CacheFolder folder;
        Prepare(folder);
        FaultRun run = RunWithFault(folder, kLine, failing, true);
        EXPECT_FALSE(folder.Exists(kNewFile));
        EXPECT_FALSE(folder.Exists(kNewBackup));
        EXPECT_LE(folder.Names().size(), 2u) << "a file left behind";

        EXPECT_EQ(folder.Index(), former);
        if (step == DiskStep::OpenRead && path == "cache.ini") {
            ASSERT_TRUE(run.result);
            EXPECT_EQ(run.result->outcome, RemovedLine::Outcome::Unreadable);
            EXPECT_EQ(run.result->text, "");
        } else if (step == DiskStep::Create && path == kNewFile) {
            ASSERT_TRUE(run.result);
            EXPECT_EQ(run.result->outcome, RemovedLine::Outcome::NotCreated);
            EXPECT_EQ(run.result->text, "");
        } else {
            ASSERT_TRUE(run.error) << "no file error";
            EXPECT_EQ(*run.error, FileErrorCause::DiskFull);
        }
        // The backup changes only in the step that puts the new one in place, and then it is whole.
        const bool backupReplaced = step == DiskStep::Replace && path == kNewFile;
        EXPECT_EQ(Backup(folder), backupReplaced ? std::optional(former) : OlderBackup());
    }
}

TEST_P(RemoveEntryLineFaults, ACrashAtAnyStepLeavesTheFormerOrTheNewIndex)
{
    // From the crash on, no disk step happens any more, so nothing can be tidied up.
    for (int crash = 1;; ++crash) {
        SCOPED_TRACE(testing::Message() << "crash at step " << crash);
        CacheFolder folder;
        Prepare(folder);
        FaultRun run = RunWithFault(folder, kLine, crash, false);
        if (crash > static_cast<int>(run.steps.size())) {
            EXPECT_EQ(folder.Index(), rewritten);  // it ran to its end
            break;
        }
        ASSERT_TRUE(folder.Exists("cache.ini"));
        if (folder.Index() == former) {
            const auto backup = Backup(folder);
            EXPECT_TRUE(backup == OlderBackup() || backup == former);
        } else {
            EXPECT_EQ(folder.Index(), rewritten);
            EXPECT_EQ(Backup(folder), former);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutAnOlderBackup, RemoveEntryLineFaults, ::testing::Bool());

}  // namespace
}  // namespace thld
