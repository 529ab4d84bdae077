#pragma once
// The real program, started in this process on a thread of its own, as THLD.exe would start it.

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "win32/application.h"

namespace thld::uitest {

inline constexpr const char* kMainTitle = "Tallyhold v1.5";

class AppRun {
public:
    explicit AppRun(ApplicationParts parts = {});
    // Closes whatever windows are left and waits for the program's end.
    ~AppRun();
    AppRun(const AppRun&) = delete;
    AppRun& operator=(const AppRun&) = delete;

    DWORD ThreadId() const { return threadId_; }
    // The main window once it shows (its start-up work done); nullptr when it didn't come.
    HWND MainWindow();
    // The "Please Wait" window, shown or hidden.
    HWND WaitWindow() const;
    // Waits until a listing of the cache has ended (the wait window hidden) with the tree showing
    // these package items.
    bool ListedWith(const std::vector<std::string>& packages);
    // True once start-up has returned.
    bool Ended() const { return ended_; }
    bool WaitForEnd(DWORD timeout = 15000) const;

private:
    ApplicationParts parts_;
    std::atomic<bool> ended_{false};
    std::atomic<DWORD> threadId_{0};
    std::thread thread_;
};

}  // namespace thld::uitest
