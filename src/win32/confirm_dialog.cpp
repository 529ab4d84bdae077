#include "win32/confirm_dialog.h"

#include "win32/resource.h"

namespace thld {

ConfirmDialog::ConfirmDialog(const std::string& title, std::string message)
    : Dialog(IDD_CONFIRM), message_(std::move(message)), title_(kConfirmTitlePrefix + title)
{}

INT_PTR ConfirmDialog::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SetWindowTextOf(Window(), title_);
        SetItemText(IDC_MESSAGE, message_);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            End(LOWORD(wParam) == IDOK ? 1 : 2);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace thld
