#pragma once
// A synthetic but realistic download cache, deterministic from a seed: about 40% maps (0.5 to
// 8 MB), 35% texture packages (0.2 to 20 MB) and 25% script packages (20 KB to 2 MB). Each file
// starts like a real package (the tag, a 64-byte header, a name table whose first names make the
// kind rules hold), maps and script packages import 1 to 6 other cached packages and a few of the
// game's own (their names in the name table, the import table closing the file), and the first run
// of eight 0xFF bytes stands where real packages have it. Only the bytes the program reads are
// written: the rest of each file is left sparse.

#include <cstdint>
#include <string>
#include <vector>

namespace thld::bench {

enum class SyntheticKind {
    Map,
    Textures,
    Script
};

struct SyntheticPackage {
    std::string key;    // 32 hex digits
    std::string value;  // file name with extension
    SyntheticKind kind = SyntheticKind::Map;
    std::uint64_t size = 0;
    std::uint64_t region = 0;        // offset of the first 0xFF run, or the size when none
    std::vector<std::size_t> named;  // packages named in the name table and imported
    std::string head;                // header and name table, up to the run
    std::uint64_t runAt = 0;         // where the run is written (== size: no run)
    std::string imports;             // the import table, the file's last bytes
};

std::vector<SyntheticPackage> PlanCache(std::size_t count, std::uint64_t seed);

// Writes cacheFolder/cache.ini and one <key>.uxx per package; cacheFolder ends in '/'.
void WriteCache(const std::vector<SyntheticPackage>& packages, const std::string& cacheFolder);

// The layout file beside the cache: one line per package, "key kind size region named", kind
// being M, T or S and named the numbers of the packages it names, joined by commas ("-" for none),
// for the floor measurement and to check what the pass finds.
void WriteLayout(const std::vector<SyntheticPackage>& packages, const std::string& path);
struct LayoutLine {
    std::string key;
    char kind = 'M';
    std::uint64_t size = 0;
    std::uint64_t region = 0;
    std::vector<std::size_t> named;
};
std::vector<LayoutLine> ReadLayout(const std::string& path);

}  // namespace thld::bench
