#include "app_run.h"

#include <cstdio>
#include <cstdlib>

#include "tree_reader.h"
#include "ui_driver.h"
#include "win32/resource.h"

namespace thld::uitest {

namespace {

BOOL CALLBACK CloseOne(HWND window, LPARAM)
{
    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

struct WaitSearch {
    HWND found = nullptr;
};

BOOL CALLBACK FindWaitWindow(HWND window, LPARAM data)
{
    if (::GetDlgItem(window, IDC_STATUS) && !::GetDlgItem(window, IDC_CACHE_TREE)) {
        reinterpret_cast<WaitSearch*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

AppRun::AppRun(ApplicationParts parts) : parts_(std::move(parts))
{
    thread_ = std::thread([this] {
        threadId_ = ::GetCurrentThreadId();
        RunApplication(parts_);
        ended_ = true;
    });
    WaitFor([this] { return threadId_ != 0; });
}

AppRun::~AppRun()
{
    // Cancel every window of the program (questions, message boxes, the picker, the main window)
    // until start-up returns.
    for (int round = 0; !WaitForEnd(200); ++round) {
        if (round == 100) {
            std::fputs("the program under test does not end; giving up\n", stderr);
            std::abort();
        }
        ::EnumThreadWindows(threadId_, CloseOne, 0);
    }
    thread_.join();
}

HWND AppRun::MainWindow() { return WaitForWindow(kMainTitle); }

HWND AppRun::WaitWindow() const
{
    WaitSearch search;
    ::EnumThreadWindows(threadId_, FindWaitWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool AppRun::ListedWith(const std::vector<std::string>& packages)
{
    HWND main = MainWindow();
    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    return WaitFor([&] {
        HWND wait = WaitWindow();
        return wait && !::IsWindowVisible(wait) && TextsOf(ReadTree(tree)) == packages;
    });
}

bool AppRun::WaitForEnd(DWORD timeout) const
{
    return WaitFor([this] { return ended_.load(); }, timeout);
}

}  // namespace thld::uitest
