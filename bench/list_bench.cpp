// `tallyhold list` at scale, as a player runs it: each run a process of its own, its output thrown
// away, on warm files (the first run warms them and is not counted). Prints the median time from
// start to exit and the median peak memory, with the goals beside them.
//
// usage: thld_list_bench PROGRAM CACHE_FOLDER [RUNS]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_figures.h"

extern char** environ;

using thld::bench::Median;

namespace {

// Runs the program once; gives its milliseconds and peak memory in MB, or nothing when it failed.
bool RunOnce(const std::string& program, const std::string& cache, double& ms, double& mb)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::string command = "list", option = "--cache";
    std::vector<char*> args{const_cast<char*>(program.c_str()), command.data(), option.data(),
                            const_cast<char*>(cache.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return false;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return false;
    ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    mb = usage.ru_maxrss * 1024.0 / 1e6;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: thld_list_bench PROGRAM CACHE_FOLDER [RUNS]\n");
        return 2;
    }
    const std::string program = argv[1], cache = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    std::vector<double> times, peaks;
    for (int run = 0; run <= runs; ++run) {
        double ms = 0, mb = 0;
        if (!RunOnce(program, cache, ms, mb)) {
            std::fprintf(stderr, "%s list --cache %s failed\n", program.c_str(), cache.c_str());
            return 1;
        }
        if (run > 0) {
            times.push_back(ms);
            peaks.push_back(mb);
        }
    }
    std::printf("\ntallyhold list on %s, warm files; %s; medians of %d runs\n", cache.c_str(),
                thld::bench::ProcessorText().c_str(), runs);
    std::printf("  start to exit   %8.1f ms   (goal at 100,000 packages: at most 1000 ms)\n", Median(times));
    std::printf("  peak memory     %8.1f MB   (goal at 100,000 packages: under 100 MB)\n", Median(peaks));
    return 0;
}
