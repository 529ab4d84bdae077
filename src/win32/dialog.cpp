#include "win32/dialog.h"

#include <exception>
#include <vector>

#include "commands/status_messages.h"
#include "platform/file_error.h"
#include "platform/utf16.h"
#include "win32/message_box.h"

namespace thld {

namespace {
HBRUSH currentBrush = nullptr;
}  // namespace

DialogColours::DialogColours() : brush_(::CreateSolidBrush(kDialogBackground)), previous_(currentBrush)
{
    currentBrush = brush_;
}

DialogColours::~DialogColours()
{
    currentBrush = previous_;
    if (brush_)
        ::DeleteObject(brush_);
}

HBRUSH DialogColours::CurrentBrush() { return currentBrush; }

std::string WindowTextOf(HWND window)
{
    int length = ::GetWindowTextLengthW(window);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1);
    int got = ::GetWindowTextW(window, text.data(), length + 1);
    return Utf8Of(std::wstring_view(text.data(), static_cast<std::size_t>(got > 0 ? got : 0)));
}

void SetWindowTextOf(HWND window, const std::string& text) { ::SetWindowTextW(window, WideOf(text).c_str()); }

Dialog::~Dialog()
{
    if (window_ && ::IsWindow(window_))
        ::DestroyWindow(window_);
}

INT_PTR Dialog::RunModal(HWND owner)
{
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                             reinterpret_cast<LPARAM>(this));
}

bool Dialog::CreateModeless(HWND owner)
{
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), owner, Procedure,
                                reinterpret_cast<LPARAM>(this)) != nullptr;
}

void Dialog::SetItemText(int id, const std::string& text) const
{
    ::SetDlgItemTextW(window_, id, WideOf(text).c_str());
}

INT_PTR Dialog::Result(LRESULT result) const
{
    ::SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR Dialog::HandleGuarded(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The one place where errors stop: nothing may unwind through the system's dialog code. The
    // operation that failed has ended; the window and the program go on.
    const INT_PTR afterError = message == WM_INITDIALOG ? FALSE : TRUE;
    try {
        return dialog.OnMessage(message, wParam, lParam);
    } catch (const FileError& error) {
        ShowFileError(dialog.Window(), error.UserText());
    } catch (const std::exception& error) {
        ShowMessage(dialog.Window(), messages::UnexpectedErrorText(error.what()));
    } catch (...) {
        ShowMessage(dialog.Window(), messages::UnexpectedErrorText(""));
    }
    return afterError;
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->window_ = window;
        ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self)
        return FALSE;

    HBRUSH background = DialogColours::CurrentBrush();
    if (background && (message == WM_CTLCOLORDLG || message == WM_CTLCOLORSTATIC)) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        ::SetTextColor(dc, kDialogText);
        ::SetBkColor(dc, kDialogBackground);
        return reinterpret_cast<INT_PTR>(background);
    }

    INT_PTR handled = HandleGuarded(*self, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(window, DWLP_USER, 0);
        self->window_ = nullptr;
    }
    return handled;
}

}  // namespace thld
