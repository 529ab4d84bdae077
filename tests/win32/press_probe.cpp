// A probe, not a test: how long the main window takes from a press of Delete or Permanent to the
// question about the first ticked package, over the cache of a game folder (such as one written by
// thld_make_cache). It ticks the first package by a click on its box, presses each button several
// times, answers No, and prints every time and the median.
//
//   thld_press_probe GAMEFOLDER [RUNS]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "app_run.h"
#include "bench_figures.h"
#include "cache/index_lookup.h"
#include "game_entry_override.h"
#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

std::atomic<long long> questionShown{0};

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

// The moment the question's window is activated, that is, shown to the user.
LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_ACTIVATE && questionShown == 0) {
        wchar_t title[64] = {};
        ::GetWindowTextW(reinterpret_cast<HWND>(wParam), title, 64);
        if (std::wcsncmp(title, L"Tallyhold - Confirm", 19) == 0)
            questionShown = Now();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int Probe(const std::string& gameFolder, int runs)
{
    GameEntryOverride entry;
    entry.SetFolder(gameFolder);
    AppRun app;
    const DWORD patience = 30 * 60 * 1000;  // a large cache takes a while to list under Wine
    HWND main = WaitForWindow(kMainTitle, 0, patience);
    if (!main || !WaitFor([&] { return app.WaitWindow() && !::IsWindowVisible(app.WaitWindow()); }, patience)) {
        std::fprintf(stderr, "the main window did not come\n");
        return 1;
    }
    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    const std::size_t packages = ReadIndexEntries(gameFolder + "cache\\").lines.size();
    HTREEITEM first = reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    if (!first || !ClickTick(tree, first)) {
        std::fprintf(stderr, "could not tick the first package\n");
        return 1;
    }
    HHOOK hook = ::SetWindowsHookExW(WH_CBT, WatchActivation, nullptr, app.ThreadId());
    for (auto [button, name, title] : {std::tuple{IDC_DELETE, "Delete", "Confirm Delete File"},
                                       std::tuple{IDC_PERMANENT, "Permanent", "Confirm Move File"}}) {
        std::vector<double> times;
        std::printf("%s:", name);
        for (int run = 0; run < runs; ++run) {
            questionShown = 0;
            const long long pressed = Now();
            Press(main, button);
            if (AnswerQuestion(title, false) == "<no question>" || questionShown == 0) {
                std::fprintf(stderr, "\nno question came\n");
                return 1;
            }
            times.push_back(Milliseconds(questionShown - pressed));
            std::printf(" %.1f", times.back());
            std::fflush(stdout);
            ::Sleep(300);
        }
        std::printf(" ms\npress to question, %s, %zu packages: median %.1f ms of %d runs\n", name, packages,
                    bench::Median(times), runs);
    }
    ::UnhookWindowsHookEx(hook);
    return 0;
}

}  // namespace
}  // namespace thld::uitest

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: thld_press_probe GAMEFOLDER [RUNS]\n");
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '\\')
        folder += '\\';
    return thld::uitest::Probe(folder, argc > 2 ? std::max(1, std::atoi(argv[2])) : 7);
}
