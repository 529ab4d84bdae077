#include "win32/message_box.h"

#include "platform/utf16.h"

namespace thld {

namespace {
void Show(HWND owner, const std::string& text, UINT icon)
{
    ::MessageBoxW(owner, WideOf(text).c_str(), WideOf(kMessageCaption).c_str(), MB_OK | icon);
}
}  // namespace

void ShowMessage(HWND owner, const std::string& text) { Show(owner, text, MB_ICONEXCLAMATION); }

void ShowFileError(HWND owner, const std::string& text) { Show(owner, text, MB_ICONSTOP); }

}  // namespace thld
