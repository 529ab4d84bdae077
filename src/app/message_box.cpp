#include "app/message_box.h"

namespace thld {

void ShowMessage(HWND owner, const std::string& text)
{
    ::MessageBoxA(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONEXCLAMATION);
}

void ShowFileError(HWND owner, const std::string& text)
{
    ::MessageBoxA(owner, text.c_str(), kMessageCaption, MB_OK | MB_ICONSTOP);
}

}  // namespace thld
