#include <gtest/gtest.h>

#include <random>
#include <string>

#include "package/buffer_contains.h"
#include "package/package_kind.h"
#include "platform/file.h"
#include "platform/file_fault.h"
#include "support/temp_folder.h"

namespace thld {
namespace {

using test::TempFolder;

bool Contains(const std::string& buffer, std::string_view name)
{
    return BufferContains(reinterpret_cast<const std::uint8_t*>(buffer.data()), buffer.size(), name);
}

TEST(BufferContains, CandidatesEndOneBeforeTheLastPosition)
{
    EXPECT_TRUE(Contains("xCorex", "Core"));
    EXPECT_FALSE(Contains("xCore", "Core"));  // its last byte would be the buffer's last byte
    EXPECT_FALSE(Contains("Core", "Core"));
    EXPECT_FALSE(Contains("Cor", "Core"));
    EXPECT_TRUE(Contains("Corex", "Core"));
    EXPECT_TRUE(Contains("Levels.", "Level"));  // a plain substring match
    EXPECT_FALSE(Contains("corex", "Core"));
    EXPECT_FALSE(Contains("COREx", "Core"));
    EXPECT_FALSE(Contains(std::string("Co\0e", 4) + "x", "Core"));
    EXPECT_FALSE(Contains(std::string("a\0bx", 4), std::string_view("a\0b", 3)));
    EXPECT_TRUE(Contains("ab", ""));
    EXPECT_FALSE(Contains("", ""));
}

// Sixteen start positions are compared at a time: wherever the match lies against those blocks
// and the buffer's end, the answer is that of comparing at each allowed position in turn.
TEST(BufferContains, AgreesWithAComparisonAtEachPosition)
{
    std::mt19937 random(512);
    for (int round = 0; round < 20000; ++round) {
        std::string buffer(random() % 80, 'a');
        for (char& c : buffer)
            c = static_cast<char>('a' + random() % 3);
        std::string name(random() % 6, 'a');
        for (char& c : name)
            c = static_cast<char>('a' + random() % 3);
        bool expected = false;
        for (std::size_t at = 0; !name.empty() && at + name.size() < buffer.size(); ++at)
            expected = expected || buffer.compare(at, name.size(), name) == 0;
        if (name.empty())
            expected = !buffer.empty();
        ASSERT_EQ(Contains(buffer, name), expected) << '"' << buffer << "\" / \"" << name << '"';
    }
}

// A 512-byte window of filler with the given names written at the given offsets.
std::string Window(std::initializer_list<std::pair<std::size_t, std::string_view>> names,
                   std::size_t size = kKindWindowSize)
{
    std::string window(size, '.');
    for (auto [offset, name] : names)
        window.replace(offset, name.size(), name);
    return window;
}

PackageKind KindOf(const std::string& window)
{
    return KindOfWindow(reinterpret_cast<const unsigned char*>(window.data()), window.size());
}

TEST(KindOfWindow, RulesAreTriedInOrderAndTheLastSuccessWins)
{
    EXPECT_EQ(KindOf(Window({{0, "PointRegion"}, {20, "Location"}, {40, "Level"}})), kind::Map);
    EXPECT_EQ(KindOf(Window({{0, "InternalTime"}, {20, "None"}, {40, "Color"}})), kind::Textures);
    EXPECT_EQ(KindOf(Window({{0, "Engine"}, {20, "System"}, {40, "Core"}})), kind::Script);
    EXPECT_EQ(
        KindOf(Window(
            {{0, "PointRegion"}, {20, "Location"}, {40, "Level"}, {60, "Engine"}, {80, "System"}, {100, "Core"}})),
        kind::Script);
    EXPECT_EQ(KindOf(Window({{0, "PointRegion"},
                             {20, "Location"},
                             {40, "Level"},
                             {60, "InternalTime"},
                             {80, "None"},
                             {100, "Color"},
                             {120, "Engine"},
                             {140, "System"}})),
              kind::Textures);
    EXPECT_EQ(KindOf(Window({{0, "PointRegion"},
                             {20, "Location"},
                             {60, "InternalTime"},
                             {80, "None"},
                             {120, "Engine"},
                             {140, "System"}})),
              kind::UnknownType);
    // Order of the names inside the window does not matter, only that all three are there.
    EXPECT_EQ(KindOf(Window({{0, "Core"}, {20, "System"}, {40, "Engine"}})), kind::Script);
}

TEST(KindOfWindow, OnlyTheWindowCountsUpToItsLastCandidate)
{
    const auto script = [](std::size_t coreAt) { return Window({{0, "Engine"}, {20, "System"}, {coreAt, "Core"}}); };
    EXPECT_EQ(KindOf(script(507)), kind::Script);
    EXPECT_EQ(KindOf(script(508)), kind::UnknownType);  // last byte at 511
    // Case counts.
    EXPECT_EQ(KindOf(Window({{0, "engine"}, {20, "System"}, {40, "Core"}})), kind::UnknownType);
    EXPECT_EQ(KindOf(Window({{0, "Engine"}, {20, "SYSTEM"}, {40, "Core"}})), kind::UnknownType);
}

}  // namespace
}  // namespace thld
