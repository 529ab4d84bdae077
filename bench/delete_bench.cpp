// tallyhold delete at scale against rm, side by side in one run: `delete --older-than 0 --yes` of
// every package of a synthetic cache, each run a process of its own on a fresh copy of the cache,
// and `rm -f` of the same files on another fresh copy, with one write of a cache.ini of that size
// (written, synced, renamed into place) beside them. The copies hard-link the packages of the
// synthetic cache (sparse files of many megabytes): neither delete nor rm then frees data blocks,
// and what is compared is the work on the folder. Prints the medians and the goal: tallyhold at
// most three times rm plus one write of cache.ini.
//
// usage: thld_delete_bench PROGRAM DATA_FOLDER SCRATCH_FOLDER --sizes=1000,10000 [--runs=5]

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "bench_figures.h"

extern char** environ;

namespace fs = std::filesystem;
using thld::bench::Median;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Lays a fresh copy of `source` (a cache folder) out at `copy`: cache.ini copied, the packages
// hard-linked. Gives the packages' paths in the copy.
std::vector<std::string> LayCopy(const fs::path& source, const fs::path& copy)
{
    fs::remove_all(copy);
    fs::create_directories(copy);
    std::vector<std::string> packages;
    for (const auto& entry : fs::directory_iterator(source)) {
        const fs::path to = copy / entry.path().filename();
        if (entry.path().extension() == ".uxx") {
            fs::create_hard_link(entry.path(), to);
            packages.push_back(to.string());
        } else {
            fs::copy_file(entry.path(), to);
        }
    }
    ::sync();  // the copy's own writing must not fall on the figures
    return packages;
}

struct Times {
    double wall = -1;  // milliseconds from start to exit; negative when the program failed
    double cpu = 0;    // milliseconds of processor time, the program's and the system's for it
};

// Runs the program with the arguments, its output thrown away.
Times Timed(std::vector<std::string> arguments)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const auto start = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    if (spawned != 0 || ::wait4(child, &status, 0, &usage) != child)
        return {};
    Times times;
    times.wall = WIFEXITED(status) && WEXITSTATUS(status) == 0 ? MsSince(start) : -1;
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    times.cpu = ms(usage.ru_utime) + ms(usage.ru_stime);
    return times;
}

// One write of a file of cache.ini's size as a rewrite makes it: written, synced, renamed into place.
double OneIndexWrite(const fs::path& index)
{
    std::ifstream in(index, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string content = bytes.str();
    const std::string fresh = index.string() + ".new";
    const auto start = Clock::now();
    const int fd = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    if (fd < 0 || ::write(fd, content.data(), content.size()) != static_cast<ssize_t>(content.size()) ||
        ::fsync(fd) != 0 || ::close(fd) != 0 || ::rename(fresh.c_str(), index.c_str()) != 0)
        return -1;
    return MsSince(start);
}

bool AnyPackageLeft(const fs::path& folder)
{
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".uxx")
            return true;
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 5) {
        std::fprintf(stderr, "usage: thld_delete_bench PROGRAM DATA_FOLDER SCRATCH_FOLDER --sizes=N,... [--runs=R]\n");
        return 2;
    }
    const std::string program = fs::absolute(argv[1]).string();
    const fs::path data = argv[2], scratch = fs::path(argv[3]) / "cache";
    std::vector<std::size_t> sizes;
    int runs = 5;
    for (int i = 4; i < argc; ++i) {
        const std::string option = argv[i];
        if (option.rfind("--sizes=", 0) == 0) {
            std::stringstream list(option.substr(8));
            for (std::string size; std::getline(list, size, ',');)
                sizes.push_back(std::stoul(size));
        } else if (option.rfind("--runs=", 0) == 0) {
            runs = std::max(1, std::atoi(option.c_str() + 7));
        }
    }
    // `--older-than 0` takes the files written before this second: the cache must be older.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    std::printf("\nbulk delete against rm, warm files; %s; medians of %d runs\n", thld::bench::ProcessorText().c_str(),
                runs);
    std::printf("  %8s  %14s  %10s  %16s  %8s  %s\n", "packages", "tallyhold (ms)", "rm (ms)", "cache.ini (ms)",
                "ratio", "goal: tallyhold <= 3 x rm + one write of cache.ini");
    std::printf("  (then the processor time of each, which a busy machine changes less: tallyhold, rm, ratio)\n");
    for (std::size_t size : sizes) {
        const fs::path source = data / std::to_string(size) / "cache";
        if (!fs::exists(source / "cache.ini")) {
            std::fprintf(stderr, "no synthetic cache at %s\n", source.c_str());
            return 1;
        }
        std::vector<double> tallyhold, rm, index, tallyholdCpu, rmCpu;
        for (int run = 0; run < runs; ++run) {
            LayCopy(source, scratch);
            const Times deleted =
                Timed({program, "delete", "--older-than", "0", "--yes", "--cache", scratch.string() + "/"});
            if (deleted.wall < 0 || AnyPackageLeft(scratch)) {
                std::fprintf(stderr, "%s delete on %s failed\n", program.c_str(), scratch.c_str());
                return 1;
            }
            tallyhold.push_back(deleted.wall);
            tallyholdCpu.push_back(deleted.cpu);

            std::vector<std::string> rmArguments = {"rm", "-f"};
            for (std::string& package : LayCopy(source, scratch))
                rmArguments.push_back(std::move(package));
            const Times removed = Timed(rmArguments);
            if (removed.wall < 0)
                return 1;
            rm.push_back(removed.wall);
            rmCpu.push_back(removed.cpu);
            index.push_back(OneIndexWrite(scratch / "cache.ini"));
        }
        const double budget = 3 * Median(rm) + Median(index);
        std::printf("  %8zu  %14.1f  %10.1f  %16.1f  %7.2fx  %s (%.1f ms)\n", size, Median(tallyhold), Median(rm),
                    Median(index), Median(tallyhold) / Median(rm), Median(tallyhold) <= budget ? "met" : "missed",
                    budget);
        std::printf("  %8s  %14.1f  %10.1f  %16s  %7.2fx\n", "cpu", Median(tallyholdCpu), Median(rmCpu), "",
                    Median(tallyholdCpu) / Median(rmCpu));
    }
    fs::remove_all(scratch.parent_path());
    return 0;
}
