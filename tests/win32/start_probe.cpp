// A probe, not a test: how long THLD.exe takes from its start to a filled main window over the
// cache of a game folder (such as one written by thld_make_cache). Each run starts the program as a
// process of its own, with the game's registry entry naming the folder, and stops the clock once
// the main window shows with its tree filled and painted and the program waits for input; then it
// closes the window. It prints every time, the median and the fastest, and the number of items in
// the tree (the same from run to run).
//
// With "first", every memo of the listing is deleted before each start: the first start of a cache.
//
//   thld_start_probe GAMEFOLDER [RUNS] [PROGRAM] [first]
// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app_run.h"
#include "bench_figures.h"
#include "game_entry_override.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

constexpr DWORD kLongest = 10 * 60 * 1000;  // a run that has not filled its window by then failed

long long Now()
{
    LARGE_INTEGER now{};
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(long long ticks)
{
    LARGE_INTEGER frequency{};
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

struct Filled {
    double firstRows = 0;     // the window shows its first rows
    double milliseconds = 0;  // and is filled, painted and takes input
    std::size_t items = 0;
};

// The main window of the process once it shows; nullptr when it never did. The program shows it
// with the first rows of its tree (or, with nothing listed, once its start-up ends). The check asks
// the Wine server as little as it can, as the program needs it: the active window, and every other
// poll every window of the process (shown behind the wait window, the main window is not active).
HWND ShownWindow(DWORD processId, long long started, DWORD timeout)
{
    for (int poll = 1;; ++poll) {
        HWND main = ::GetForegroundWindow();
        DWORD owner = 0;
        if (main)
            ::GetWindowThreadProcessId(main, &owner);
        if (owner != processId || !::IsWindowVisible(main) || TextOf(main) != kMainTitle) {
            std::vector<HWND> mains = poll % 2 == 0 ? VisibleWindows(kMainTitle, processId) : std::vector<HWND>{};
            main = mains.empty() ? nullptr : mains.front();
        }
        if (main)
            return main;
        if (Milliseconds(Now() - started) > timeout)
            return nullptr;
        ::Sleep(5);
    }
}

// One start of the program, timed; nothing when its window never filled.
std::optional<Filled> TimeOneStart(const std::string& program)
{
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::string line = "\"" + program + "\"";
    const long long started = Now();
    if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        std::fprintf(stderr, "could not start %s (error %lu)\n", program.c_str(), ::GetLastError());
        return std::nullopt;
    }
    std::optional<Filled> filled;
    if (HWND main = ShownWindow(process.dwProcessId, started, kLongest)) {
        const double firstRows = Milliseconds(Now() - started);
        // The main window shows its first rows behind the wait window, which stays up until the
        // tree is filled.
        while (Milliseconds(Now() - started) < kLongest) {
            const std::vector<HWND> shown = VisibleWindows("", process.dwProcessId);
            if (std::none_of(shown.begin(), shown.end(), [&](HWND window) { return window != main; }))
                break;
            ::Sleep(1);
        }
        // Painted: each window's paint is handed to the program and waited for, which also waits
        // until it has finished the start-up work and reads its input.
        HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
        ::UpdateWindow(main);
        ::UpdateWindow(tree);
        DWORD_PTR answer = 0;
        ::SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, kLongest, &answer);
        filled = Filled{firstRows, Milliseconds(Now() - started),
                        static_cast<std::size_t>(::SendMessageW(tree, TVM_GETCOUNT, 0, 0))};
        ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
    }
    if (::WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0) {
        std::fputs("the program did not end; stopping it\n", stderr);
        ::TerminateProcess(process.hProcess, 1);
        ::WaitForSingleObject(process.hProcess, 5000);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return filled;
}

// Deletes the memos of the listing (%LOCALAPPDATA%\Tallyhold\*.memo).
void ForgetMemos()
{
    char local[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("LOCALAPPDATA", local, MAX_PATH) == 0)
        return;
    const std::string folder = std::string(local) + "\\Tallyhold\\";
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((folder + "*.memo").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do
        ::DeleteFileA((folder + found.cFileName).c_str());
    while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

int Probe(const std::string& gameFolder, int runs, const std::string& program, bool first)
{
    GameEntryOverride entry;
    entry.SetFolder(gameFolder);
    std::vector<double> times, firstRows;
    std::size_t items = 0;
    std::printf("%s start to filled window:", first ? "first" : "repeat");
    for (int run = 0; run < runs; ++run) {
        if (first)
            ForgetMemos();
        std::optional<Filled> filled = TimeOneStart(program);
        if (!filled) {
            std::fputs("\nthe main window did not fill\n", stderr);
            return 1;
        }
        if (run > 0 && filled->items != items)
            std::fprintf(stderr, "\nthe tree held %zu items, not %zu as before\n", filled->items, items);
        items = filled->items;
        times.push_back(filled->milliseconds);
        firstRows.push_back(filled->firstRows);
        std::printf(" %.0f", times.back());
        std::fflush(stdout);
    }
    // The fastest run tells most nearly what the program costs where other programs share the processor.
    std::printf(
        " ms\nTHLD.exe %s start to filled window: median %.0f ms, fastest %.0f ms of %d runs (%zu items in the "
        "tree)\n",
        first ? "first" : "repeat", bench::Median(times), *std::min_element(times.begin(), times.end()), runs, items);
    std::printf("THLD.exe %s start to its first rows: median %.0f ms, fastest %.0f ms\n", first ? "first" : "repeat",
                bench::Median(firstRows), *std::min_element(firstRows.begin(), firstRows.end()));
    return 0;
}

}  // namespace
}  // namespace thld::uitest

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: thld_start_probe GAMEFOLDER [RUNS] [PROGRAM]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string program = argc > 3 && std::string(argv[3]) != "first"
                                    ? argv[3]
                                    : thld::uitest::ProgramFolder() + "..\\..\\src\\win32\\THLD.exe";
    const bool first = std::string(argv[argc - 1]) == "first";
    return thld::uitest::Probe(folder, runs, program, first);
}
