#include "qt/display_check.h"

#include <QtGlobal>

namespace thld {

const char* MissingDisplayMessage(const std::function<const char*(const char*)>& variable)
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = variable(name);
        if (value && *value)
            return nullptr;
    }
    return "tallyhold-window needs a display: start it on the desktop (with DISPLAY or WAYLAND_DISPLAY set),\n"
           "or set QT_QPA_PLATFORM=offscreen to run it without one. In a terminal, tallyhold does the same job.\n";
#else
    (void)variable;
    return nullptr;
#endif
}

}  // namespace thld
