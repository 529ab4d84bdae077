// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/utf16.h"
#include "win32/folder_browser.h"

namespace thld {

namespace {
struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};

// Moves the picker over the middle of `over` (the window that was active when it was asked for), or
// of the work area of the screen where there is none, and keeps it on that screen.
void CentreOver(HWND picker, HWND over)
{
    RECT box{};
    ::GetWindowRect(picker, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(over ? over : picker, MONITOR_DEFAULTTOPRIMARY), &monitor);
    RECT area = monitor.rcWork;
    if (over)
        ::GetWindowRect(over, &area);
    const LONG width = box.right - box.left, height = box.bottom - box.top;
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    x = std::max(monitor.rcWork.left, std::min(x, monitor.rcWork.right - width));
    y = std::max(monitor.rcWork.top, std::min(y, monitor.rcWork.bottom - height));
    ::SetWindowPos(picker, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CALLBACK PickerEvent(HWND picker, UINT message, LPARAM, LPARAM over)
{
    if (message == BFFM_INITIALIZED)
        CentreOver(picker, reinterpret_cast<HWND>(over));
    return 0;
}
}  // namespace

bool FolderBrowser::Browse()
{
    wchar_t displayName[MAX_PATH] = {};
    const std::wstring title = WideOf(title_);
    BROWSEINFOW info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    // Without an owner, as before, but placed over the window it was asked from, not at the screen's
    // corner.
    const HWND active = ::GetActiveWindow();
    info.lpfn = PickerEvent;
    info.lParam = reinterpret_cast<LPARAM>(active && ::IsWindowVisible(active) ? active : nullptr);
    std::unique_ptr<ITEMIDLIST, ItemListFree> item(::SHBrowseForFolderW(&info));
    if (!item)
        return false;
    // Room for the longest path the system allows.
    std::vector<wchar_t> chosen(32768);
    if (!::SHGetPathFromIDListEx(item.get(), chosen.data(), static_cast<DWORD>(chosen.size()), GPFIDL_DEFAULT))
        return false;
    path_ = Utf8Of(chosen.data()) + '\\';
    return true;
}

std::optional<std::string> ShellFolderPicker::Pick(const std::string& title)
{
    FolderBrowser browser(title);
    if (!browser.Browse())
        return std::nullopt;
    return browser.Path();
}

}  // namespace thld
