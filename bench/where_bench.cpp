// The game search as `tallyhold where` runs it, on fake homes laid out in the launchers' formats:
// one as a player's machine holds them (Steam with three libraries, a Wine prefix whose system.reg
// is a few MiB, twenty Lutris games, Heroic's list of fifty), and crafted launcher files at their
// size limit: a libraryfolders.vdf of 16,000 and of 60,000 libraries that are not there, and a
// Lutris .yml of 16 MiB. Prints the median time of each (the goal: 50 ms for real files) and the
// time per MiB, which stays flat where the search is linear in the size of the file.
//
// usage: thld_where_bench [RUNS]

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_figures.h"
#include "game/installation_search.h"

namespace {

namespace fs = std::filesystem;
using thld::bench::Median;

void Write(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Vdf(const std::string& home, std::size_t libraries)
{
    std::string text = "\"libraryfolders\"\n{\n";
    for (std::size_t i = 0; i < libraries; ++i)
        text += "\t\"" + std::to_string(i) + "\"\n\t{\n\t\t\"path\"\t\t\"" + home + "run/media/player/disk" +
                std::to_string(i) + "/SteamLibrary\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"13240\"\t\t\"0\"\n\t\t}\n\t}\n";
    return text + "}\n";
}

// A home as a player's machine holds it.
void LayRealHome(const std::string& home)
{
    const std::string steam = home + ".local/share/Steam/";
    std::string libraries;
    for (const char* library : {"", "games1/SteamLibrary/", "games2/SteamLibrary/"})
        libraries += "\t\"" + std::to_string(libraries.size()) + "\"\n\t{\n\t\t\"path\"\t\t\"" +
                     (library[0] ? home + library : steam) + "\"\n\t}\n";
    Write(steam + "steamapps/libraryfolders.vdf", "\"libraryfolders\"\n{\n" + libraries + "}\n");
    Write(home + "games2/SteamLibrary/steamapps/appmanifest_13240.acf",
          "\"AppState\"\n{\n\t\"appid\"\t\t\"13240\"\n\t\"installdir\"\t\t\"Unreal Tournament\"\n}\n");
    Write(home + "games2/SteamLibrary/steamapps/common/Unreal Tournament/System/UnrealTournament.exe", "");
    std::string registry = "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n";
    for (int i = 0; registry.size() < (4u << 20); ++i)
        registry += "[Software\\\\Classes\\\\CLSID\\\\{" + std::to_string(1000000 + i) +
                    "-0000-0000-C000-000000000046}] 1700000000\n#time=1d9\n@=\"A component of some program\"\n"
                    "\"ThreadingModel\"=\"Both\"\n\n";
    Write(home + ".wine/system.reg", registry);
    Write(home + ".wine/user.reg", "WINE REGISTRY Version 2\n");
    for (int i = 0; i < 20; ++i)
        Write(home + ".config/lutris/games/game-" + std::to_string(i) + ".yml",
              "game:\n  exe: " + home + "Games/game-" + std::to_string(i) +
                  "/drive_c/Program Files (x86)/Some Publisher/Some Game/Binaries/Game.exe\n  prefix: " + home +
                  "Games/game-" + std::to_string(i) +
                  "\nsystem:\n  disable_runtime: true\nwine:\n  version: lutris-7.2\n");
    std::string heroic = "{\"installed\": [";
    for (int i = 0; i < 50; ++i)
        heroic += std::string(i ? ", " : "") + "{\"platform\": \"windows\", \"install_path\": \"" + home +
                  "Games/Heroic/Game " + std::to_string(i) + "\", \"appName\": \"" + std::to_string(1000 + i) + "\"}";
    Write(home + ".config/heroic/gog_store/installed.json", heroic + "]}");
}

double SearchMs(const std::string& home)
{
    thld::SearchPlaces places;
    places.system = thld::SearchPlaces::System::Linux;
    places.home = home;
    places.gameUserFolder = home + ".utpg/";
    places.searchLaunchers = true;
    const auto start = std::chrono::steady_clock::now();
    const thld::InstallationList list = thld::FindEveryInstallation(places);
    const auto end = std::chrono::steady_clock::now();
    if (list.findings.empty())
        std::fprintf(stderr, "the search found nothing to say\n");
    return std::chrono::duration<double, std::milli>(end - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    char pattern[] = "/tmp/thld-where-bench-XXXXXX";
    if (!::mkdtemp(pattern)) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string root = std::string(pattern) + "/";
    struct Home {
        const char* what;
        std::string folder;
        std::string file;  // the launcher's file whose size counts
    };
    std::vector<Home> homes = {
        {"a player's machine (Steam, Wine, Lutris, Heroic)", root + "real/", root + "real/.wine/system.reg"},
        {"libraryfolders.vdf of 16,000 libraries", root + "vdf16k/",
         root + "vdf16k/.local/share/Steam/steamapps/libraryfolders.vdf"},
        {"libraryfolders.vdf of 60,000 libraries", root + "vdf60k/",
         root + "vdf60k/.local/share/Steam/steamapps/libraryfolders.vdf"},
        {"a Lutris .yml of 16 MiB", root + "yml/", root + "yml/.config/lutris/games/ut.yml"},
    };
    LayRealHome(homes[0].folder);
    Write(homes[1].file, Vdf(homes[1].folder, 16000));
    Write(homes[2].file, Vdf(homes[2].folder, 60000));
    std::string yml = "game:\n  exe: " + homes[3].folder + "ut/System/UnrealTournament.exe\n  args:\n";
    while (yml.size() < (16u << 20) - 64)
        yml += "  - '-some argument, quoted'\n";
    Write(homes[3].file, yml);

    std::printf("the game search (FindEveryInstallation), median of %d runs, on %s\n", runs,
                thld::bench::ProcessorText().c_str());
    for (const Home& home : homes) {
        SearchMs(home.folder);  // warms the files
        std::vector<double> times;
        for (int i = 0; i < runs; ++i)
            times.push_back(SearchMs(home.folder));
        const double ms = Median(times);
        const double mib = static_cast<double>(fs::file_size(home.file)) / (1 << 20);
        std::printf("  %-50s %8.1f ms  (%5.1f MiB file, %6.1f ms per MiB)\n", home.what, ms, mib, ms / mib);
    }
    std::printf("  goal: within 50 ms on a player's machine; the same time per MiB at any size\n");
    fs::remove_all(pattern);
    return 0;
}
