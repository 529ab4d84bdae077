#include "game/game_paths.h"

#include <gtest/gtest.h>

#include <vector>

namespace thld {
namespace {

TEST(GamePaths, ResolvesSettingsPathsByTheirText)
{
    struct Case {
        PathStyle style;
        const char* base;
        const char* path;
        const char* folder;
    };
    const std::vector<Case> cases = {
        {PathStyle::Posix, "/home/p/.utpg/System/", "../Cache", "/home/p/.utpg/Cache/"},
        {PathStyle::Posix, "/home/p/.utpg/System/", "..\\Cache\\", "/home/p/.utpg/Cache/"},
        {PathStyle::Posix, "/home/p/ut/System/", "/mnt/games//cache", "/mnt/games/cache/"},
        {PathStyle::Posix, "/home/p/", "./a/./b/..", "/home/p/a/"},
        {PathStyle::Posix, "/home/", "../../../x", "/x/"},
        {PathStyle::Windows, "C:\\UT\\System\\", "..\\Cache", "C:\\UT\\Cache\\"},
        {PathStyle::Windows, "C:\\UT\\System\\", "D:/UT Cache/", "D:\\UT Cache\\"},
        {PathStyle::Windows, "C:\\UT\\System\\", "\\Cache", "C:\\Cache\\"},
        {PathStyle::Windows, "C:\\UT\\System\\", "..\\..\\..\\..", "C:\\"},
        {PathStyle::Windows, "\\\\server\\games\\UT\\System\\", "..\\..\\..\\x", "\\\\server\\games\\x\\"},
        {PathStyle::Windows, "C:\\UT\\System\\", "\\\\server\\share", "\\\\server\\share\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ResolveFolderPath(c.base, c.path, c.style), c.folder) << c.base << " + " << c.path;
}

}  // namespace
}  // namespace thld
