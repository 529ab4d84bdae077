#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <optional>

#include "platform/file_fault.h"
#include "support/crash_harness.h"
#include "support/power_cut.h"

namespace thld::test {

namespace {

constexpr int kCrashed = 77;
constexpr int kFellShort = 4;
constexpr int kNotLaidOut = 5;
constexpr std::size_t kNever = static_cast<std::size_t>(-1);

struct ChildEnd {
    int status = -1;
    std::size_t steps = 0;  // told by a child that ran to its end
};

// Lays the case out, then runs it in a child ended at disk step `crashAt` (counted from 0).
ChildEnd RunChild(const CrashCase& crash, CrashKind kind, const std::string& root, std::size_t crashAt)
{
    if (!crash.layOut())
        return {kNotLaidOut, 0};
    int told[2];
    if (::pipe(told) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(told[0]);
        std::optional<PowerCutModel> model;
        if (kind == CrashKind::PowerCut)
            model.emplace(root);
        std::size_t steps = 0;
        SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
            if (steps++ == crashAt) {
                if (kind == CrashKind::DiskFault)
                    return FileErrorCause::AccessDenied;
                if (model)
                    model->Cut();
                ::_exit(kCrashed);
            }
            if (model)
                model->Before(step, path);
            return std::nullopt;
        });
        bool whole = false;
        try {
            whole = crash.run();
        } catch (...) {}
        SetDiskFaultHook({});
        (void)!::write(told[1], &steps, sizeof steps);
        ::_exit(whole ? 0 : kFellShort);
    }
    ::close(told[1]);
    ChildEnd end;
    (void)!::read(told[0], &end.steps, sizeof end.steps);
    ::close(told[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    end.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return end;
}

}  // namespace

const char* CrashWords(CrashKind kind)
{
    switch (kind) {
    case CrashKind::Kill:
        return "killed";
    case CrashKind::PowerCut:
        return "power cut";
    case CrashKind::DiskFault:
        return "disk fault";
    }
    return "";
}

const char* CrashTestName(CrashKind kind)
{
    switch (kind) {
    case CrashKind::Kill:
        return "Killed";
    case CrashKind::PowerCut:
        return "PowerCut";
    case CrashKind::DiskFault:
        return "DiskFault";
    }
    return "";
}

std::string CrashTally::Text() const
{
    std::string text = std::to_string(steps) + " disk steps, the next program given the folders";
    const char* between = " ";
    for (const auto& [what, count] : nextGivenAs) {
        text += between + what + " " + std::to_string(count);
        between = ", ";
    }
    return text;
}

CrashTally CrashAtEveryStep(const CrashCase& crash, CrashKind kind, const std::string& root,
                            const std::vector<FolderSpelling>& spellings)
{
    CrashTally tally;
    const ChildEnd clean = RunChild(crash, kind, root, kNever);
    if (clean.status == kNotLaidOut) {
        tally.laidOut = false;
        return tally;
    }
    EXPECT_EQ(clean.status, 0) << "the run without a crash";
    if (clean.status != 0)
        return tally;
    tally.steps = clean.steps;
    for (std::size_t at = 0; at < clean.steps; ++at) {
        const FolderSpelling& next = spellings[at % spellings.size()];
        SCOPED_TRACE(std::string(CrashWords(kind)) + " at disk step " + std::to_string(at) + " of " +
                     std::to_string(clean.steps) + ", the next program given the folders " + next.what);
        const int status = RunChild(crash, kind, root, at).status;
        if (kind == CrashKind::DiskFault)
            EXPECT_TRUE(status == 0 || status == kFellShort) << "the run ends as it does on a failure";
        else
            EXPECT_EQ(status, kCrashed);
        crash.expectWhole(next.folders);
        ++tally.nextGivenAs[next.what];
        if (::testing::Test::HasFailure())
            break;
    }
    return tally;
}

}  // namespace thld::test
