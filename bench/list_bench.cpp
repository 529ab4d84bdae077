// `tallyhold list` and `tallyhold check` at scale, as a player runs them: each run a process of its
// own, its output thrown away, on warm files (a first run of each warms them and is not counted).
// They take turns, so that a figure and the one it is set against meet the same load:
//  - list --no-memo: every cached file read, as before there was a memo;
//  - list, a first start: the memo of the listing deleted before each run (read and written);
//  - list, a repeat start: the memo there;
//  - check, a repeat start, against the repeat list of the same turn.
// Prints the medians of time and peak memory, and the ratios, beside the goals. The memos go to a
// folder of the benchmark's own (XDG_CACHE_HOME).
//
// usage: thld_list_bench PROGRAM GAME_FOLDER [RUNS]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_figures.h"

extern char** environ;

using thld::bench::Median;

namespace {

struct Figures {
    std::vector<double> ms, mb;
};

// Runs the program once; gives its milliseconds and peak memory in MB, or false when it failed.
bool RunOnce(const std::string& program, std::vector<std::string> arguments, double& ms, double& mb)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> args{const_cast<char*>(program.c_str())};
    for (std::string& argument : arguments)
        args.push_back(argument.data());
    args.push_back(nullptr);
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
        std::fprintf(stderr, "usage: thld_list_bench PROGRAM GAME_FOLDER [RUNS]\n");
        return 2;
    }
    const std::string program = argv[1], game = argv[2];
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
    const std::filesystem::path memos =
        std::filesystem::temp_directory_path() / ("thld-list-bench-" + std::to_string(::getpid()));
    ::setenv("XDG_CACHE_HOME", memos.c_str(), 1);
    Figures everyFile, first, repeat, check;
    std::vector<double> checkRatios;
    for (int run = 0; run <= runs; ++run) {
        double ms = 0, mb = 0, listMs = 0;
        auto time = [&](std::vector<std::string> arguments, Figures& figures) {
            if (!RunOnce(program, arguments, ms, mb)) {
                std::fprintf(stderr, "%s %s failed\n", program.c_str(), arguments[0].c_str());
                std::exit(1);
            }
            if (run > 0) {
                figures.ms.push_back(ms);
                figures.mb.push_back(mb);
            }
        };
        time({"list", "--no-memo", "--game", game}, everyFile);
        std::filesystem::remove_all(memos);
        time({"list", "--game", game}, first);
        time({"list", "--game", game}, repeat);
        listMs = ms;
        time({"check", "--game", game}, check);
        if (run > 0)
            checkRatios.push_back(ms / listMs);
    }
    std::filesystem::remove_all(memos);
    std::printf("\ntallyhold list and check on %s, warm files; %s; medians of %d runs\n", game.c_str(),
                thld::bench::ProcessorText().c_str(), runs);
    auto line = [](const char* what, const Figures& f, const char* goal) {
        std::printf("  %-36s %8.1f ms  %7.1f MB   %s\n", what, Median(f.ms), Median(f.mb), goal);
    };
    line("list --no-memo (every file read)", everyFile, "");
    line("list, first start (no memo)", first, "(goal at 100,000 packages: at most 1000 ms)");
    line("list, repeat start (the memo there)", repeat, "(goal at 100,000 packages: at most 300 ms, under 60 MB)");
    line("check, repeat start", check, "");
    std::printf("  check against list, turn by turn: %.2fx (goal: at most 1.2x)\n", Median(checkRatios));
    return 0;
}
