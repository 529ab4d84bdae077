#include "cache/size_text.h"

#include <array>
#include <cstdio>

namespace thld {

std::string SizeTextOf(std::uint64_t bytes) { return std::to_string(bytes >> 10) + "k bytes"; }

std::string SizeInUnits(std::uint64_t bytes)
{
    if (bytes < 1024)
        return std::to_string(bytes) + " B";
    constexpr std::array<const char*, 6> kUnits{"KiB", "MiB", "GiB", "TiB", "PiB", "EiB"};
    double value = static_cast<double>(bytes) / 1024.0;
    std::size_t unit = 0;
    while (value >= 1024.0 && unit + 1 < kUnits.size()) {
        value /= 1024.0;
        ++unit;
    }
    // 1023.9 KiB is "1024 KiB", never "1.0e+03 KiB"; 9.96 KiB rounds to "10 KiB", not "10.0 KiB".
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), value < 9.95 ? "%.1f %s" : "%.0f %s", value, kUnits[unit]);
    return text.data();
}

}  // namespace thld
