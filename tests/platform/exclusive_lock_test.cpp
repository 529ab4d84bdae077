#include <gtest/gtest.h>

#include "platform/exclusive_lock.h"
#include "platform/file_error.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using namespace std::chrono_literals;

TEST(ExclusiveLock, OneHolderAtATimeAndTheNextOnceItLetsGo)
{
    test::TempFolder folder;
    const std::string path = folder / "lock";
    auto first = ExclusiveLock::Take(path, 0ms);
    ASSERT_TRUE(first);
    EXPECT_FALSE(ExclusiveLock::Take(path, 100ms)) << "a second holder while the first has it";
    first.reset();
    EXPECT_TRUE(ExclusiveLock::Take(path, 0ms));
    test::WriteFileBytes(path, "left by a program that ended holding it");
    EXPECT_TRUE(ExclusiveLock::Take(path, 0ms));
    EXPECT_FALSE(folder.Exists("lock")) << "the file goes with the last holder";
}

TEST(ExclusiveLock, AFolderInTheLocksPlaceIsRefusedWithItsCause)
{
    test::TempFolder folder;
    folder.MakeFolder("lock");
    try {
        ExclusiveLock::Take(folder / "lock", 0ms);
        ADD_FAILURE() << "taken";
    } catch (const FileError& e) {
        EXPECT_EQ(std::string(e.what()), folder / "lock" + " is not a regular file.");
    }
}

TEST(ExclusiveLock, AFolderThatTakesNoFileIsAFileError)
{
    test::TempFolder folder;
    EXPECT_THROW(ExclusiveLock::Take(folder / "missing/lock", 0ms), FileError);
}

}  // namespace
}  // namespace thld
