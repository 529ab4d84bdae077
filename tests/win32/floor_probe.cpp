// A probe, not a test: the least the listing can take in this build, with nothing of its own. Every
// cached file of a game folder written by thld_make_cache is opened unshared, its first 512 bytes
// and the region of a map or script package read in one read, and closed: by one thread, and by
// several taking the next file each (the listing's readers are four). It prints the median of each
// over RUNS. Under Wine this is the floor of THLD.exe's listing, set by Wine's requests for each
// file; scripts/wine-bench.sh prints it beside the program's own times.
//
//   thld_floor_probe GAMEFOLDER [RUNS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "floor.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: thld_floor_probe GAMEFOLDER [RUNS]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const auto layout = thld::bench::ReadLayout(folder + "layout.tsv");
    const std::string cache = folder + "cache\\";
    thld::bench::ReadFloor(cache, layout);  // every file in memory, as for the program's runs
    for (std::size_t readers : {std::size_t{1}, std::size_t{4}, std::size_t{16}}) {
        std::vector<double> ms;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            thld::bench::ReadFloorInFlight(cache, layout, readers);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
        std::printf("floor, %zu packages, %2zu reader%s: median %.0f ms of %d runs\n", layout.size(), readers,
                    readers == 1 ? " " : "s", thld::bench::Median(ms), runs);
    }
    return 0;
}
