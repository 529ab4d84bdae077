#include <gtest/gtest.h>

#include "platform/durable_move.h"
#include "platform/file_fault.h"
#include "platform/folder.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

// A rename that the system refuses: the error names the destination when its folder is what refuses
// (no file can be made there), the cached file otherwise.
struct RefusedMove {
    const char* what;
    bool destinationRefuses;
};

void PrintTo(const RefusedMove& move, std::ostream* out) { *out << move.what; }

class DurableMoveRefused : public ::testing::TestWithParam<RefusedMove> {};

TEST_P(DurableMoveRefused, NamesTheFileToBlame)
{
    test::TempFolder folder;
    folder.MakeFolder("cache");
    folder.Write("cache/K.uxx", "package");
    folder.MakeFolder("Maps");
    const std::string from = folder / "cache/K.uxx";
    const std::string to = folder / "Maps/Map.unr";
    auto previous = SetDiskFaultHook([&](DiskStep step, const std::string& path) -> std::optional<FileErrorCause> {
        if ((step == DiskStep::Move && path == from) ||
            (GetParam().destinationRefuses && step == DiskStep::Create && path == CopyNameOf(to)))
            return FileErrorCause::AccessDenied;
        return std::nullopt;
    });
    try {
        MoveFileDurably(from, to);
        ADD_FAILURE() << "moved";
    } catch (const FileError& error) {
        EXPECT_EQ(error.FileName(), GetParam().destinationRefuses ? to : from);
    }
    SetDiskFaultHook(std::move(previous));
    EXPECT_EQ(folder.Read("cache/K.uxx"), "package");
    EXPECT_EQ(FolderEntries(folder / "Maps"), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(, DurableMoveRefused,
                         ::testing::Values(RefusedMove{"CachedFile", false}, RefusedMove{"Destination", true}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(DurableMove, RenamesOnOneFileSystemAndNeverReplaces)
{
    test::TempFolder folder;
    folder.Write("a", "bytes");
    folder.Write("taken", "other");
    EXPECT_THROW(MoveFileDurably(folder / "a", folder / "taken"), FileError);
    EXPECT_EQ(MoveFileDurably(folder / "a", folder / "b"), MoveResult::Renamed);
    EXPECT_FALSE(folder.Exists("a"));
    EXPECT_EQ(folder.Read("b"), "bytes");
    EXPECT_EQ(folder.Read("taken"), "other");
}

}  // namespace
}  // namespace thld
