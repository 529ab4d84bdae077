#include "platform/process_list.h"

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <thread>

namespace thld {
namespace {

// A process started with the given argv[0] (the program run is `sleep`), ended with the object.
class Sleeper {
public:
    explicit Sleeper(std::string argument0) : argument0_(std::move(argument0))
    {
        char seconds[] = "30";
        char* argv[] = {argument0_.data(), seconds, nullptr};
        started_ = ::posix_spawnp(&pid_, "sleep", nullptr, nullptr, argv, environ) == 0;
    }
    ~Sleeper()
    {
        if (!started_)
            return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    Sleeper(const Sleeper&) = delete;
    Sleeper& operator=(const Sleeper&) = delete;
    bool Started() const { return started_; }

private:
    std::string argument0_;
    pid_t pid_ = 0;
    bool started_ = false;
};

bool Listed(const std::string& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto names = RunningProcessNames();
        if (std::find(names.begin(), names.end(), name) != names.end())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// The kernel cuts a process's own name to 15 characters; argv[0] is whole, and under Wine it is a
// Windows path. (The name is this test's own, so that no other program takes it for the game.)
TEST(RunningProcessNames, TakeTheLastPartOfArgv0Whole)
{
    const std::string name = "TallyholdTestProgram-" + std::to_string(::getpid()) + ".exe";
    Sleeper wine("C:\\Games\\UT\\System\\" + name);
    ASSERT_TRUE(wine.Started());
    EXPECT_TRUE(Listed(name));

    const std::string other = "tallyhold-test-" + std::to_string(::getpid()) + "-amd64";
    Sleeper native("/opt/ut/System64/" + other);
    ASSERT_TRUE(native.Started());
    EXPECT_TRUE(Listed(other));
    EXPECT_TRUE(Listed("sleep"));  // the kernel's own name for both
}

}  // namespace
}  // namespace thld
