#include <windows.h>

#include "platform/file_handle.h"

namespace thld {

unsigned long FileHandle::Close() noexcept
{
    if (!IsOpen())
        return 0;
    HANDLE handle = reinterpret_cast<HANDLE>(std::exchange(native_, kNone));
    return ::CloseHandle(handle) ? 0 : ::GetLastError();
}

}  // namespace thld
