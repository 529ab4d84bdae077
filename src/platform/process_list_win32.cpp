// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <tlhelp32.h>

#include "platform/process_list.h"
#include "platform/utf16.h"

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
    PROCESSENTRY32W entry{};
    // The record's real size: a 64-bit build's record is larger than the 32-bit layout.
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Process32FirstW(snapshot.handle, &entry); more == TRUE;
         more = ::Process32NextW(snapshot.handle, &entry)) {
        names.push_back(Utf8Of(entry.szExeFile));
    }
    return names;
}

}  // namespace thld
