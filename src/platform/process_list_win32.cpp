#include <windows.h>
#include <tlhelp32.h>

#include "platform/process_list.h"

namespace thld {

namespace {
struct SnapshotHandle {
    HANDLE handle;
    ~SnapshotHandle()
    {
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    }
};
}  // namespace

std::vector<std::string> RunningProcessNames()
{
    std::vector<std::string> names;
    SnapshotHandle snapshot{::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)};
    if (snapshot.handle == INVALID_HANDLE_VALUE)
        return names;
    PROCESSENTRY32 entry{};
    // The record's real size: a 64-bit build's record is larger than the 32-bit layout.
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32First(snapshot.handle, &entry); more == TRUE;
         more = ::Process32Next(snapshot.handle, &entry)) {
        names.emplace_back(entry.szExeFile);
    }
    return names;
}

}  // namespace thld
