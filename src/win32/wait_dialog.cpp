#include "win32/wait_dialog.h"

#include "win32/resource.h"

namespace thld {

WaitDialog::WaitDialog() : Dialog(IDD_WAIT) {}

void WaitDialog::Show(const std::string& status)
{
    if (!Window())
        return;
    ::SetForegroundWindow(Window());
    ::ShowWindow(Window(), SW_SHOW);
    SetItemText(IDC_STATUS, status);
    ::UpdateWindow(Window());
}

void WaitDialog::SetStatus(const std::string& status)
{
    if (!Window())
        return;
    SetItemText(IDC_STATUS, status);
    // Nothing returns to the event loop while the work runs: paint the new line now, and let a
    // platform that composes windows at its event loop (Wine) show it; no message is taken.
    ::UpdateWindow(Window());
    MSG none;
    ::PeekMessageW(&none, Window(), WM_NULL, WM_NULL, PM_NOREMOVE);
}

void WaitDialog::Hide()
{
    if (Window())
        ::ShowWindow(Window(), SW_HIDE);
}

INT_PTR WaitDialog::OnMessage(UINT message, WPARAM, LPARAM)
{
    // Neither Escape nor Enter closes it.
    return message == WM_COMMAND ? TRUE : FALSE;
}

}  // namespace thld
