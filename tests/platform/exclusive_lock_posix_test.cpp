// A lock file that is not the program's own regular file is no lock: the command is stopped with the
// file and the cause named, instead of running without one.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using namespace std::chrono_literals;

struct OddLock {
    const char* what;
    void (*lay)(const std::string& lock);
    const char* says;  // after the lock file's path
};
void PrintTo(const OddLock& odd, std::ostream* out) { *out << odd.what; }

class LockRefused : public ::testing::TestWithParam<OddLock> {};

TEST_P(LockRefused, NamesTheFileAndTheCause)
{
    test::TempFolder folder;
    const std::string lock = folder / "cache.ini.tallyhold-lock";
    GetParam().lay(lock);
    if (IsSkipped())
        return;
    try {
        ExclusiveLock::Take(lock, 0ms);
        ADD_FAILURE() << "taken";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), lock + GetParam().says);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , LockRefused,
    ::testing::Values(
        OddLock{"Folder", [](const std::string& lock) { ::mkdir(lock.c_str(), 0755); }, " is not a regular file."},
        OddLock{"LinkToAFile",
                [](const std::string& lock) {
                    test::WriteFileBytes(lock + "-target", "");
                    ASSERT_EQ(::symlink((lock + "-target").c_str(), lock.c_str()), 0);
                },
                " is a link, not a file of its own."},
        OddLock{"LinkToADevice", [](const std::string& lock) { ASSERT_EQ(::symlink("/dev/zero", lock.c_str()), 0); },
                " is a link, not a file of its own."},
        OddLock{"Fifo", [](const std::string& lock) { ::mkfifo(lock.c_str(), 0644); }, " is not a regular file."},
        OddLock{"AnotherUsersFile",
                [](const std::string& lock) {
                    test::WriteFileBytes(lock, "");
                    // As root a file is given away; as anyone else a file that root owns stands for it.
                    if (::geteuid() == 0)
                        ASSERT_EQ(::chown(lock.c_str(), 4242, 4242), 0);
                    else
                        GTEST_SKIP() << "only root can give a file to another user";
                },
                " belongs to another user."}),
    [](const auto& info) { return std::string(info.param.what); });

}  // namespace
}  // namespace thld
