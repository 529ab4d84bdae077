#include "win32/about_dialog.h"

#include <shellapi.h>

#include "platform/utf16.h"
#include "win32/resource.h"

namespace thld {

namespace {
WebPageOpener& CurrentOpener()
{
    static WebPageOpener opener;
    return opener;
}
}  // namespace

AboutDialog::AboutDialog() : Dialog(IDD_ABOUTBOX) {}

INT_PTR AboutDialog::OnMessage(UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            End(LOWORD(wParam) == IDOK ? 1 : 2);
            return TRUE;
        case IDC_WEB_PAGE:
            OpenWebPage();
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void OpenWebPage()
{
    if (CurrentOpener()) {
        CurrentOpener()(THLD_WEB_ADDRESS);
        return;
    }
    // The shell hands the address to the user's default browser.
    ::ShellExecuteW(nullptr, L"open", WideOf(THLD_WEB_ADDRESS).c_str(), nullptr, nullptr, SW_SHOW);
}

WebPageOpener SetWebPageOpener(WebPageOpener opener)
{
    WebPageOpener previous = std::move(CurrentOpener());
    CurrentOpener() = std::move(opener);
    return previous;
}

}  // namespace thld
