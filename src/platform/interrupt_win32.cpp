#include <windows.h>

#include <atomic>

#include "platform/interrupt.h"

namespace thld {

namespace {

std::atomic<bool> caught{false};

// Runs on a thread of its own, which the system starts for the event.
BOOL WINAPI Note(DWORD event)
{
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    caught = true;
    return TRUE;
}

}  // namespace

InterruptCatcher::InterruptCatcher()
{
    caught = false;
    ::SetConsoleCtrlHandler(Note, TRUE);
}

InterruptCatcher::~InterruptCatcher() { ::SetConsoleCtrlHandler(Note, FALSE); }

bool InterruptCatcher::Caught() const { return caught; }

}  // namespace thld
