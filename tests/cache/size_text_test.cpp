// Sizes for people, as both front-ends show them.
#include <gtest/gtest.h>

#include "cache/size_text.h"

namespace thld {
namespace {

TEST(SizeInUnits, OneDecimalBelowTenAndWholeNumbersAbove)
{
    const std::pair<std::uint64_t, const char*> cases[] = {
        {0, "0 B"},
        {1023, "1023 B"},
        {1024, "1.0 KiB"},
        {10188, "9.9 KiB"},
        {10199, "10 KiB"},
        {577536, "564 KiB"},
        {1048575, "1024 KiB"},
        {1288490189, "1.2 GiB"},
        {29139238912, "27 GiB"},
        {~std::uint64_t{0}, "16 EiB"},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(SizeInUnits(bytes), text) << bytes;
}

}  // namespace
}  // namespace thld
