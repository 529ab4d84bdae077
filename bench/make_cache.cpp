// Writes a synthetic cache: thld_make_cache FOLDER COUNT [SEED] makes FOLDER/cache/ (cache.ini and
// the sparse package files) and FOLDER/layout.tsv.
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "synthetic_cache.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::cerr << "usage: thld_make_cache FOLDER COUNT [SEED]\n";
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/')
        folder += '/';
    std::size_t count = std::strtoull(argv[2], nullptr, 10);
    std::uint64_t seed = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 1999;
    try {
        std::filesystem::remove_all(folder + "cache");
        auto packages = thld::bench::PlanCache(count, seed);
        thld::bench::WriteCache(packages, folder + "cache/");
        thld::bench::WriteLayout(packages, folder + "layout.tsv");
        std::uint64_t apparent = 0;
        std::size_t kinds[3] = {};
        for (const auto& p : packages) {
            apparent += p.size;
            ++kinds[static_cast<int>(p.kind)];
        }
        std::cout << "synthetic cache of " << count << " packages (seed " << seed << ") in " << folder
                  << "cache: " << kinds[0] << " maps, " << kinds[1] << " texture packages, " << kinds[2]
                  << " script packages, " << apparent / (1024 * 1024) << " MiB apparent\n";
    } catch (const std::exception& e) {
        std::cerr << "thld_make_cache: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
