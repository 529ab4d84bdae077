// The requirements pass on synthetic caches, on warm files: the listing plus the pass as the
// program runs them (the search beside the reading, on a second thread where there is a second
// core), and all on one thread, against the floor (every cached file opened once, only the bytes
// that must be looked at read, on one thread) and against the literal procedure (timed in full
// where it ends within the budget, otherwise over its first walks and extrapolated).
//
// usage: thld_requirements_bench DATA [--sizes=100,1000,5000,10000] [--reference-budget=SECONDS]
//        [--no-reference] [Google Benchmark flags]
// DATA holds, for each size N, N/cache/ and N/layout.tsv as thld_make_cache writes them.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "cache/cache_listing.h"
#include "cache/cached_file.h"
#include "cache/index_lookup.h"
#include "cache/index_text.h"
#include "cache/requirements.h"
#include "floor.h"
#include "game/cache_contents.h"
#include "package/name_patterns.h"
#include "package/region_search.h"
#include "platform/file.h"
#include "support/literal_requirements.h"
#include "synthetic_cache.h"

namespace {

using Clock = std::chrono::steady_clock;
using thld::PackageItem;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

std::string CacheFolderOf(const std::string& data, std::size_t n) { return data + std::to_string(n) + "/cache/"; }

std::vector<PackageItem> ListingAndPass(const std::string& cacheFolder,
                                        thld::ProbeThreads threads = thld::ProbeThreads::Auto)
{
    if (threads == thld::ProbeThreads::Auto)  // the one call every program makes
        return std::move(thld::ListCacheContents({"", cacheFolder}, thld::InstalledCopies::Skip).listing.items);
    thld::Listing listing = thld::ListCacheIndex(cacheFolder, thld::kRegionReadSize, threads);
    thld::DetermineRelationships(cacheFolder, listing.items);
    return std::move(listing.items);
}

long MaxRssKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Keeps the medians that Google Benchmark reports, in milliseconds, by benchmark name.
class Collector : public benchmark::ConsoleReporter {
public:
    Collector() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_Defaults : OO_Tabular) {}
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                medianMs[run.run_name.function_name] = run.GetAdjustedRealTime();
                medianCpuMs[run.run_name.function_name] = run.GetAdjustedCPUTime();
            }
    }
    std::map<std::string, double> medianMs;
    std::map<std::string, double> medianCpuMs;  // the whole process's processor time, both threads
};

struct Reference {
    double seconds = 0;
    bool extrapolated = false;
    std::size_t walksTimed = 0, walks = 0;
    bool agrees = false;
};

// The literal procedure: one walk first, to see whether the whole pass fits the budget.
Reference TimeReference(const std::string& cacheFolder, double budget)
{
    std::vector<PackageItem> items = thld::ListCacheIndex(cacheFolder).items;
    std::vector<PackageItem> fast = items;
    thld::DetermineRelationships(cacheFolder, fast);
    Reference r;
    std::vector<std::string> walkedTexts;  // the texts of the packages A, in walk order
    for (const PackageItem& item : items)
        if (item.kind == thld::kind::Textures || item.kind == thld::kind::Script)
            walkedTexts.push_back(item.name);
    r.walks = walkedTexts.size();

    std::vector<PackageItem> literal = items;
    auto start = Clock::now();
    thld::test::LiteralRelationships(cacheFolder, literal, {.oneByteReads = true, .walkLimit = 1});
    double one = Seconds(Clock::now() - start);
    if (one * r.walks <= budget) {
        start = Clock::now();
        r.walksTimed = thld::test::LiteralRelationships(cacheFolder, literal);
        r.seconds = Seconds(Clock::now() - start);
    } else {
        std::size_t k = std::clamp<std::size_t>(static_cast<std::size_t>(20.0 / one), 1, r.walks);
        if (k > 1) {
            start = Clock::now();
            thld::test::LiteralRelationships(cacheFolder, literal, {.oneByteReads = true, .walkLimit = k});
            one = Seconds(Clock::now() - start) / k;
        }
        r.walksTimed = k;
        r.seconds = one * r.walks;
        r.extrapolated = true;
    }
    // On the walks done, the literal procedure must have found what the fast pass found.
    std::set<std::string> walked(walkedTexts.begin(), walkedTexts.begin() + r.walksTimed);
    r.agrees = true;
    for (std::size_t i = 0; i < items.size(); ++i) {
        std::vector<std::string> expected;
        for (const std::string& text : fast[i].requirements)
            if (walked.count(text))
                expected.push_back(text);
        r.agrees = r.agrees && expected == literal[i].requirements;
    }
    return r;
}

// Every package named in a name table is found (the synthetic names are unique).
std::string PlannedFound(const std::string& cacheFolder, const std::vector<thld::bench::LayoutLine>& layout)
{
    std::vector<PackageItem> items = ListingAndPass(cacheFolder);
    std::map<std::string, const PackageItem*> byKey;
    for (const PackageItem& item : items)
        byKey[item.key] = &item;
    std::size_t planned = 0, found = 0, total = 0;
    for (const auto& line : layout) {
        const PackageItem& item = *byKey.at(line.key);
        total += item.requirements.size();
        for (std::size_t n : line.named) {
            ++planned;
            const std::string& name = byKey.at(layout[n].key)->name;
            found += std::count(item.requirements.begin(), item.requirements.end(), name) > 0;
        }
    }
    return std::to_string(found) + " of " + std::to_string(planned) + " named packages found, " +
           std::to_string(total) + " requirements in all";
}

// Peak memory of a fresh process that runs the listing and the pass once.
std::string PeakMemory(const std::string& cacheFolder)
{
    std::string command = "'";
    command += std::filesystem::read_symlink("/proc/self/exe").string();
    command += "' --peak-memory='" + cacheFolder + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return "not measured";
    char line[256] = {};
    std::string answer = std::fgets(line, sizeof line, pipe) ? line : "not measured";
    pclose(pipe);
    if (!answer.empty() && answer.back() == '\n')
        answer.pop_back();
    return answer;
}

std::string Fixed(double value, int decimals)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

// The search on its own, at the two figures it costs: each byte of a region searched, and each
// package name it looks for. The regions of the first kSearchedFiles maps and script packages are
// read into memory first, so that only the search is timed.
constexpr std::size_t kSearchedFiles = 2000;

std::string SearchFigures(const std::string& cacheFolder, const std::vector<thld::bench::LayoutLine>& layout)
{
    using Clock = std::chrono::steady_clock;
    const std::vector<PackageItem> items = thld::ListCacheIndex(cacheFolder).items;
    std::vector<std::string> names;
    for (const PackageItem& item : items) {
        std::string name = thld::PackageNameOf(item.name);
        name.resize(std::min(name.size(), thld::kMaxPatternNameLength));
        names.push_back(std::move(name));
    }
    struct Region {
        std::size_t offset;
        std::size_t length;
    };
    std::vector<std::uint8_t> bytes;
    std::vector<Region> regions;
    std::size_t regionBytes = 0;
    for (const auto& line : layout) {
        if (line.kind == 'T' || line.region == 0 || regions.size() == kSearchedFiles)
            continue;
        auto file = thld::InputFile::Open(thld::CachedFilePath(cacheFolder, line.key));
        const std::size_t offset = bytes.size() + thld::RegionSearch::kRoomBefore;
        bytes.resize(offset + line.region + thld::RegionSearch::kRoomAfter);
        const std::size_t got = file.ReadAt(0, bytes.data() + offset, line.region);
        regions.push_back({offset, got});
        regionBytes += got;
    }
    std::vector<double> buildNs, searchNs;
    std::size_t found = 0;
    for (int run = 0; run < 5; ++run) {
        auto start = Clock::now();
        thld::NamePatterns patterns;
        patterns.Reserve(names.size());
        for (const std::string& name : names)
            patterns.Add(name);
        buildNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
        thld::RegionSearch search(patterns);
        std::vector<std::uint8_t> copy = bytes;  // the search writes into the room around each piece
        start = Clock::now();
        found = 0;
        for (const Region& region : regions) {
            search.Start();
            search.Feed(copy.data() + region.offset, region.length);
            found += search.Finish(region.length).size();
        }
        searchNs.push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
    const double perByte = thld::bench::Median(searchNs) / static_cast<double>(std::max<std::size_t>(regionBytes, 1));
    const double perName = thld::bench::Median(buildNs) / static_cast<double>(std::max<std::size_t>(names.size(), 1));
    return Fixed(regionBytes / 1048576.0, 1) + " MiB in the regions of " + std::to_string(regions.size()) +
           " maps and script packages, " + Fixed(perByte, 2) + " ns per region byte (" + std::to_string(found) +
           " names found); the patterns of " + std::to_string(names.size()) + " names, " + Fixed(perName, 0) +
           " ns per name";
}

// "/N", the end of a benchmark's name.
std::string SizeSuffix(std::size_t n)
{
    std::string suffix(1, '/');
    suffix += std::to_string(n);
    return suffix;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string data;
    std::vector<std::size_t> sizes{100, 1000, 5000, 10000};
    double budget = 180;
    bool reference = true;
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.rfind("--peak-memory=", 0) == 0) {
            long before = MaxRssKib();
            auto items = ListingAndPass(arg.substr(14));
            benchmark::DoNotOptimize(items.data());
            std::cout << Fixed(MaxRssKib() / 1024.0, 1) << " MiB peak (" << Fixed(before / 1024.0, 1)
                      << " MiB at start), " << items.size() << " items\n";
            return 0;
        }
        if (arg.rfind("--sizes=", 0) == 0) {
            sizes.clear();
            std::istringstream list(arg.substr(8));
            for (std::string n; std::getline(list, n, ',');)
                sizes.push_back(std::stoull(n));
        } else if (arg == "--no-reference") {
            reference = false;
        } else if (arg.rfind("--reference-budget=", 0) == 0) {
            budget = std::stod(arg.substr(19));
        } else if (arg.rfind("--", 0) != 0 && data.empty()) {
            data = arg;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (data.empty()) {
        std::cerr << "usage: thld_requirements_bench DATA [--sizes=N,...] [--reference-budget=SECONDS]\n";
        return 2;
    }
    if (data.back() != '/')
        data += '/';
    int restCount = static_cast<int>(rest.size());
    benchmark::Initialize(&restCount, rest.data());

    std::map<std::size_t, std::vector<thld::bench::LayoutLine>> layouts;
    std::map<std::size_t, std::string> checks;
    for (std::size_t n : sizes) {
        const std::string folder = CacheFolderOf(data, n);
        layouts[n] = thld::bench::ReadLayout(data + std::to_string(n) + "/layout.tsv");
        const auto& layout = layouts[n];
        // Warm the files, and check the pass on the way.
        thld::bench::ReadFloor(folder, layout);
        checks[n] = PlannedFound(folder, layout);
        const std::string suffix = SizeSuffix(n);
        auto configure = [](benchmark::internal::Benchmark* b) {
            b->Unit(benchmark::kMillisecond)
                ->UseRealTime()
                ->MeasureProcessCPUTime()
                ->Repetitions(5)
                ->ReportAggregatesOnly(true);
        };
        configure(benchmark::RegisterBenchmark(("listing+pass" + suffix).c_str(), [folder](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(ListingAndPass(folder).data());
        }));
        // The same with the search on the reading's thread, as on a processor with one core.
        configure(benchmark::RegisterBenchmark(("one-thread" + suffix).c_str(), [folder](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(ListingAndPass(folder, thld::ProbeThreads::One).data());
        }));
        configure(benchmark::RegisterBenchmark(("floor" + suffix).c_str(), [folder, &layout](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(thld::bench::ReadFloor(folder, layout));
        }));
        configure(benchmark::RegisterBenchmark(("listing" + suffix).c_str(), [folder](benchmark::State& state) {
            for (auto _ : state)
                benchmark::DoNotOptimize(thld::ListCacheIndex(folder).items.data());
        }));
        configure(benchmark::RegisterBenchmark(("pass" + suffix).c_str(), [folder](benchmark::State& state) {
            // The pass takes the listing's findings: each run has a fresh copy of the listing, made
            // outside the time.
            const std::vector<PackageItem> listed = thld::ListCacheIndex(folder).items;
            for (auto _ : state) {
                state.PauseTiming();
                std::vector<PackageItem> items = listed;
                state.ResumeTiming();
                thld::DetermineRelationships(folder, items);
                benchmark::DoNotOptimize(items.data());
            }
        }));
    }
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);

    std::map<std::size_t, Reference> references;
    for (std::size_t n : sizes) {
        if (!reference)
            break;
        std::cout << "timing the literal procedure at N = " << n << " ..." << std::endl;
        references[n] = TimeReference(CacheFolderOf(data, n), budget);
    }

    std::cout << "\nRequirements pass on synthetic caches (warm files; medians of 5 repetitions)\n";
    std::cout << "      N  listing+pass       floor  ratio  one thread  ratio   processor time: ours, floor\n";
    for (std::size_t n : sizes) {
        const std::string s = SizeSuffix(n);
        double ours = collector.medianMs["listing+pass" + s], floor = collector.medianMs["floor" + s];
        double one = collector.medianMs["one-thread" + s];
        std::printf("%7zu %10.2f ms %8.2f ms %5.2fx %8.2f ms %5.2fx   %8.2f ms %8.2f ms\n", n, ours, floor,
                    ours / floor, one, one / floor, collector.medianCpuMs["listing+pass" + s],
                    collector.medianCpuMs["floor" + s]);
    }
    std::cout << "\n";
    std::cout << "      N  listing+pass       floor  ratio     listing        pass   reference (literal steps)"
                 "                    reference/ours\n";
    std::map<std::size_t, double> ratioToFloor, speedup;
    for (std::size_t n : sizes) {
        const std::string s = SizeSuffix(n);
        double ours = collector.medianMs["listing+pass" + s], floor = collector.medianMs["floor" + s];
        const Reference& r = references[n];
        double referenceMs = r.seconds * 1000 + collector.medianMs["listing" + s];
        ratioToFloor[n] = ours / floor;
        speedup[n] = referenceMs / ours;
        if (!reference) {
            std::printf("%7zu %10.2f ms %8.2f ms %5.2fx %8.2f ms %8.2f ms   (not timed)\n", n, ours, floor,
                        ratioToFloor[n], collector.medianMs["listing" + s], collector.medianMs["pass" + s]);
            speedup.erase(n);
            continue;
        }
        std::string how = r.extrapolated ? "extrapolated from " + std::to_string(r.walksTimed) + " of " +
                                               std::to_string(r.walks) + " walks"
                                         : "measured, " + std::to_string(r.walks) + " walks";
        std::printf("%7zu %10.2f ms %8.2f ms %5.2fx %8.2f ms %8.2f ms %10.1f s (%s)  %10.0fx\n", n, ours, floor,
                    ratioToFloor[n], collector.medianMs["listing" + s], collector.medianMs["pass" + s], r.seconds,
                    how.c_str(), speedup[n]);
    }
    std::cout << "\n";
    for (std::size_t n : sizes) {
        std::cout << "N = " << n << ": " << checks[n];
        if (reference)
            std::cout << "; literal procedure " << (references[n].agrees ? "agrees" : "DISAGREES") << " on its walks";
        std::cout << "\n";
    }
    std::size_t largest = sizes.back();
    std::cout << "the search alone at N = " << largest
              << " (medians of 5): " << SearchFigures(CacheFolderOf(data, largest), layouts[largest]) << "\n";
    std::cout << "peak memory of the listing and the pass at N = " << largest << ": "
              << PeakMemory(CacheFolderOf(data, largest)) << "\n";
    if (ratioToFloor.count(5000) && ratioToFloor.count(10000))
        std::cout << "goal, listing+pass at most 1.5x the floor at N = 5000 and 10000: " << Fixed(ratioToFloor[5000], 2)
                  << "x and " << Fixed(ratioToFloor[10000], 2) << "x ("
                  << (ratioToFloor[5000] <= 1.5 && ratioToFloor[10000] <= 1.5 ? "met" : "NOT met") << ")\n";
    if (speedup.count(1000))
        std::cout << "goal, at least 1000x faster than the literal procedure at N = 1000: " << Fixed(speedup[1000], 0)
                  << "x (" << (speedup[1000] >= 1000 ? "met" : "NOT met") << ")\n";
    return 0;
}
