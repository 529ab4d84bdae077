// The listing on cold files, the first run of the day: before each run the page cache is dropped
// (as root only), then the listing plus the requirements pass as the program runs them is timed
// against two floors that read the same bytes of the same files (bench/floor.h): one read at a
// time, and many reads in flight. Prints the medians and the ratio of the listing to the floor with
// reads in flight. Without root nothing cold can be measured: it says so and ends with success.
//
// usage: thld_cold_bench DATA N [RUNS] [READERS]
// DATA holds N/cache/ and N/layout.tsv as thld_make_cache writes them; RUNS defaults to 5 and
// READERS, the floor's reads in flight, to 64.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "cache/cache_listing.h"
#include "cache/listing_recall.h"
#include "cache/requirements.h"
#include "floor.h"
#include "platform/canonical_folder.h"
#include "synthetic_cache.h"

namespace {

using thld::bench::Median;
using Clock = std::chrono::steady_clock;

// Writes what is dirty and drops the page cache, the folders' entries and the files' nodes.
bool DropPageCache()
{
    if (::geteuid() != 0)
        return false;
    ::sync();
    std::ofstream drop("/proc/sys/vm/drop_caches");
    drop << "3\n";
    drop.flush();
    return static_cast<bool>(drop);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: thld_cold_bench DATA N [RUNS] [READERS]\n";
        return 2;
    }
    std::string data = argv[1];
    if (data.back() != '/')
        data += '/';
    const std::string n = argv[2];
    const int runs = argc > 3 ? std::max(1, std::stoi(argv[3])) : 5;
    const std::size_t readers = argc > 4 ? std::max(1, std::stoi(argv[4])) : 64;
    const std::string folder = data + n + "/cache/";
    const auto layout = thld::bench::ReadLayout(data + n + "/layout.tsv");

    std::cout << "\nCold listing at N = " << n << " (page cache dropped before each run; medians of " << runs << ")\n"
              << "processor: " << thld::bench::ProcessorText() << "\n";
    if (!DropPageCache()) {
        std::cout << "the page cache can't be dropped here (it takes root and a writable "
                     "/proc/sys/vm/drop_caches): the cold figures are skipped\n";
        return 0;
    }
    struct Measure {
        const char* name;
        std::function<void()> run;
        std::vector<double> ms = {};
    };
    // A repeat start: the memo of an earlier listing there, in a folder of the benchmark's own.
    const std::filesystem::path memoFolder =
        std::filesystem::temp_directory_path() / ("thld-cold-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(memoFolder);
    const std::string canonical = *thld::CanonicalFolder(folder);
    const thld::MemoPlace memo{thld::MemoPathOf(memoFolder.string() + "/", canonical), canonical};
    thld::ListCacheIndex(folder, thld::kRegionReadSize, thld::ProbeThreads::Auto, {}, {}, &memo);
    std::vector<Measure> measures{
        {"listing+pass",
         [&] {
             thld::Listing listing = thld::ListCacheIndex(folder);
             thld::DetermineRelationships(folder, listing.items);
         }},
        {"floor, one read at a time", [&] { thld::bench::ReadFloor(folder, layout); }},
        {"floor, reads in flight", [&] { thld::bench::ReadFloorInFlight(folder, layout, readers); }},
        {"repeat listing+pass (memo)",
         [&] {
             thld::Listing listing =
                 thld::ListCacheIndex(folder, thld::kRegionReadSize, thld::ProbeThreads::Auto, {}, {}, &memo);
             thld::DetermineRelationships(folder, listing.items);
         }},
    };
    // The measures take turns, so that whatever else the machine does falls on all of them alike.
    for (int run = 0; run < runs; ++run)
        for (Measure& measure : measures) {
            DropPageCache();
            const auto start = Clock::now();
            measure.run();
            measure.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
    // The ratio of each run to the floor of the same turn, whose disk and machine were the listing's.
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run)
        ratios.push_back(measures[0].ms[run] / measures[2].ms[run]);
    const double ratio = Median(ratios);
    for (const Measure& measure : measures)
        std::printf("%28s %10.1f ms\n", measure.name, Median(measure.ms));
    std::printf("%28s %10zu\n", "floor's reads in flight", readers);
    std::vector<double> repeatRatios;
    for (int run = 0; run < runs; ++run)
        repeatRatios.push_back(measures[3].ms[run] / measures[2].ms[run]);
    std::printf("goal, cold repeat start (the memo there) at most 0.2x the floor with reads in flight: %.2fx (%s)\n",
                Median(repeatRatios), Median(repeatRatios) <= 0.2 ? "met" : "NOT met");
    std::filesystem::remove_all(memoFolder);
    std::printf(
        "goal, cold listing+pass at most 1.2x the floor with reads in flight: %.2fx, median of the turns' "
        "ratios (%s)\n",
        ratio, ratio <= 1.2 ? "met" : "NOT met");
    return 0;
}
