#include <gtest/gtest.h>

#include <filesystem>

#include "platform/file.h"
#include "platform/folder.h"
#include "platform/pending_removal.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::TempFolder;

TEST(PendingRemoval, GoesOnFinishAndComesBackOtherwise)
{
    TempFolder folder;
    folder.Write("kept", "kept bytes");
    folder.Write("gone", "gone bytes");
    {
        auto kept = PendingRemoval::Begin(folder / "kept");
        auto gone = PendingRemoval::Begin(folder / "gone");
        ASSERT_TRUE(kept && gone);
        EXPECT_FALSE(folder.Exists("kept")) << "the name is free meanwhile";
        gone->Finish();
    }
    EXPECT_EQ(folder.Read("kept"), "kept bytes");
    EXPECT_FALSE(folder.Exists("gone"));
    EXPECT_EQ(FolderEntries(folder.Path()), std::vector<std::string>{"kept"});
    EXPECT_FALSE(PendingRemoval::Begin(folder / "missing"));
}

TEST(PendingRemoval, RefusesWhatCantBeDeletedAndLeavesIt)
{
    namespace fs = std::filesystem;
    TempFolder folder;
    folder.Write("read-only", "bytes");
    fs::permissions(folder / "read-only", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    folder.MakeFolder("folder.uxx");
    for (const char* name : {"read-only", "folder.uxx"}) {
        try {
            PendingRemoval::Begin(folder / name);
            ADD_FAILURE() << name << " would go";
        } catch (const FileError& error) {
            EXPECT_EQ(error.Cause(), FileErrorCause::AccessDenied) << name;
        }
    }
    auto entries = FolderEntries(folder.Path());
    std::sort(entries.begin(), entries.end());
    EXPECT_EQ(entries, (std::vector<std::string>{"folder.uxx", "read-only"}));
}

}  // namespace
}  // namespace thld
