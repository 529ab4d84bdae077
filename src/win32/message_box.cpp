#include "win32/message_box.h"

namespace thld {

void ShowMessage(HWND owner, const std::string& text)
{
    ::MessageBoxA(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowFileError(HWND owner, const std::string& text)
{
    ::MessageBoxA(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONSTOP);
}

std::string UnexpectedErrorText(const std::string& detail)
{
    std::string text = "The operation could not be finished because of an unexpected error";
    return detail.empty() ? text + "." : text + ":\r\n" + detail;
}

}  // namespace thld
