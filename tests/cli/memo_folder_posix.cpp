// The memos of the programs the tests run go to a folder of the tests' own, not the user's: every
// test game's first listing reads its files, the later ones answer from the memo.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace thld::test {
namespace {

class MemoFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() / ("thld-cli-memo-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        ::setenv("XDG_CACHE_HOME", folder_.c_str(), 1);
    }
    void TearDown() override
    {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

private:
    std::filesystem::path folder_;
};

const auto* const kMemoFolder = ::testing::AddGlobalTestEnvironment(new MemoFolder);

}  // namespace
}  // namespace thld::test
