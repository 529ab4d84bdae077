// tallyhold list, as a table and as JSON, against the listing the window shows.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <sstream>

#include "cache/cached_file.h"
#include "cache/index_text.h"
#include "cli/test_game.h"
#include "commands/messages.h"
#include "game/package_order.h"
#include "support/corpus.h"

namespace thld::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// Each order of --sort, as a rule two neighbouring packages of the JSON keep.
struct Order {
    std::string sort;
    bool (*inOrder)(const json& before, const json& after);
};
const std::vector<Order> kOrders = {
    {"", [](const json&, const json&) { return true; }},
    {"name",
     [](const json& a, const json& b) {
         std::vector<PackageItem> pair(2);
         pair[0].name = a["name"].get<std::string>();
         pair[1].name = b["name"].get<std::string>();
         return ComparePackages(PackageSortKey::Name, pair, {}, 0, 1) <= 0;
     }},
    {"kind", [](const json& a, const json& b) { return a["kind"].get<std::string>() <= b["kind"].get<std::string>(); }},
    {"size", [](const json& a, const json& b) { return a["bytes"] >= b["bytes"]; }},
    {"age", [](const json& a, const json& b) { return a["modified"] <= b["modified"]; }},
};

// Lists the game's cache in every order, with an identical copy of its first map in Maps and a
// different one of its first texture package in Textures, and compares the JSON and the table with
// the window's listing.
void CheckListing(const TestGame& game)
{
    std::vector<PackageItem> items = game.Listed();
    ASSERT_FALSE(items.empty());
    const auto now = fs::file_time_type::clock::now();
    for (std::size_t i = 0; i < items.size(); ++i)
        fs::last_write_time(CachedFilePath(game.folders.cacheFolder, items[i].key),
                            now - std::chrono::hours(7 * i % 50));
    auto first = [&](PackageKind kind) {
        return std::find_if(items.begin(), items.end(), [&](const PackageItem& p) { return p.kind == kind; });
    };
    const auto map = first(kind::Map), textures = first(kind::Textures);
    ASSERT_TRUE(map != items.end() && textures != items.end());
    const std::string identical = map->name, different = textures->name;
    fs::copy_file(CachedFilePath(game.folders.cacheFolder, map->key),
                  game.Path("Maps/" + PackageNameOf(identical) + ".unr"));
    WriteFileBytes(game.Path("Textures/" + PackageNameOf(different) + ".utx"), "another version");
    items = game.Listed();

    std::uint64_t total = 0;
    for (const PackageItem& item : items)
        total += item.size;
    for (const Order& order : kOrders) {
        SCOPED_TRACE("--sort " + order.sort);
        std::vector<std::string> sort;
        if (!order.sort.empty())
            sort = {"--sort", order.sort};
        std::vector<std::string> arguments{"list", "--json"};
        arguments.insert(arguments.end(), sort.begin(), sort.end());
        const ProgramResult listed = game.Run(arguments);
        ASSERT_EQ(listed.exitCode, 0) << listed.err;
        const json document = json::parse(listed.out);
        EXPECT_EQ(document["game_folder"]["path"], game.folders.gameFolder);
        EXPECT_EQ(document["cache_folder"]["path"], game.folders.cacheFolder);
        EXPECT_EQ(document["total"]["bytes"], total);
        EXPECT_EQ(document["total"]["packages"], items.size());
        EXPECT_EQ(document["total"]["text"], "Total Cache: " + std::to_string(total / 1024) + "k bytes");
        const json& packages = document["packages"];
        ASSERT_EQ(packages.size(), items.size());
        std::vector<std::string> shownOrder;
        for (std::size_t p = 0; p < packages.size(); ++p) {
            const json& package = packages[p];
            shownOrder.push_back(package["name"]);
            if (p > 0) {
                EXPECT_TRUE(order.inOrder(packages[p - 1], package)) << package["name"];
            }
            auto item =
                std::find_if(items.begin(), items.end(), [&](const PackageItem& i) { return i.key == package["key"]; });
            ASSERT_NE(item, items.end()) << package["key"];
            if (order.sort.empty()) {
                EXPECT_EQ(item - items.begin(), static_cast<std::ptrdiff_t>(p));
            }
            EXPECT_EQ(package["name"], item->name);
            EXPECT_EQ(package["package"], PackageNameOf(item->name));
            EXPECT_EQ(package["kind"], std::string(item->kind));
            EXPECT_EQ(package["bytes"], item->size);
            EXPECT_EQ(package["size"], item->sizeText);
            EXPECT_EQ(package["modified"], item->modified);
            EXPECT_EQ(package["requires"].get<std::vector<std::string>>(), item->requirements);
            const std::string copy = item->name == identical   ? "identical"
                                     : item->name == different ? "different"
                                                               : "none";
            EXPECT_EQ(package["installed"]["copy"], copy) << item->name;
        }

        // The table shows the same packages in the same order, their names whole (nothing is cut
        // for a file or a pipe) and without colour.
        std::vector<std::string> tableArguments{"list"};
        tableArguments.insert(tableArguments.end(), sort.begin(), sort.end());
        const ProgramResult table = game.Run(tableArguments);
        ASSERT_EQ(table.exitCode, 0) << table.err;
        EXPECT_EQ(table.out.find('\x1b'), std::string::npos);
        const std::vector<std::string> lines = Lines(table.out);
        std::size_t row = 0;
        for (std::size_t l = 1; l + 1 < lines.size(); ++l) {
            if (lines[l].rfind("    requires ", 0) == 0 || lines[l].rfind("     ", 0) == 0)
                continue;
            ASSERT_LT(row, shownOrder.size());
            EXPECT_EQ(lines[l].rfind(shownOrder[row] + "  ", 0), 0u) << lines[l];
            const std::string& name = shownOrder[row++];
            if (name == identical) {
                EXPECT_PRED2(Holds, lines[l], "identical");
            }
            if (name == different) {
                EXPECT_PRED2(Holds, lines[l], "different");
            }
        }
        EXPECT_EQ(row, items.size());
        EXPECT_EQ(lines.back().rfind("Total Cache: " + std::to_string(total / 1024) + "k bytes", 0), 0u)
            << lines.back();
    }
    // The program's options stand before the command's name as well as after it.
    const ProgramResult before = RunTallyhold({{"--game", game.folders.gameFolder, "list", "--json"}});
    EXPECT_EQ(before.out, game.Run({"list", "--json"}).out);
}

TEST(CliList, ShowsTheRealPackagesAsTheWindowLists)
{
    THLD_REQUIRE_CORPUS();
    TestGame game;
    game.LayCorpus();
    CheckListing(game);
}

#ifndef _WIN32  // sparse files: the synthetic packages take megabytes each elsewhere
TEST(CliList, ShowsASyntheticCacheAsTheWindowLists)
{
    TestGame game;
    game.LaySynthetic(120);
    CheckListing(game);
}
#endif

// Names are whatever cache.ini holds: the JSON stays valid and true, the table shows no control
// character that could take over the terminal.
TEST(CliList, HostileNamesStayValidJsonAndHarmlessOnTheTerminal)
{
    std::vector<std::pair<std::string, std::string>> names = {
        {"Quote\"d.unr", "Quote\"d.unr"},
        {"Back\\slash.utx", "Back\\slash.utx"},
        {"Red\x1b[31m.u", "Red\x1b[31m.u"},
        {"Caf\xe9.unr", "Caf\xc3\xa9.unr"},  // Latin-1 as it is written
    };
#ifndef _WIN32  // UTF-8 in cache.ini; on Windows it is in the system's code page
    names.push_back({"Evil\u202Eexe.unr", "Evil\u202Eexe.unr"});  // turns the text after it around
#endif
    TestGame game;
    std::vector<MadeUp> packages;
    for (std::size_t i = 0; i < names.size(); ++i)
        packages.push_back({std::string(1, static_cast<char>('A' + i)), names[i].first, kind::Map});
    game.LayMadeUp(packages);
    const ProgramResult listed = game.Run({"list", "--json"});
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    const json document = json::parse(listed.out);
    ASSERT_EQ(document["packages"].size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(document["packages"][i]["name"], names[i].second);
    const ProgramResult table = game.Run({"list"});
    EXPECT_EQ(table.exitCode, 0);
    EXPECT_EQ(table.out.find('\x1b'), std::string::npos);
    EXPECT_PRED2(Holds, table.out, "Red?[31m.u");
#ifndef _WIN32
    EXPECT_PRED2(Holds, table.out, "Evil?exe.unr");
#endif
}

}  // namespace
}  // namespace thld::test
