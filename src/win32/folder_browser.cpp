#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <vector>

#include "platform/utf16.h"
#include "win32/folder_browser.h"

namespace thld {

namespace {
struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
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
