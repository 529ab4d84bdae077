#include "app/wait_dialog.h"

#include "app/resource.h"

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
    // Nothing returns to the event loop while the work runs: paint the new line now.
    ::UpdateWindow(Item(IDC_STATUS));
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
