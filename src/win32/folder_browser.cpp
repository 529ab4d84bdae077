#include <windows.h>
#include <shlobj.h>

#include <memory>

#include "win32/folder_browser.h"

namespace thld {

namespace {
struct ItemListFree {
    void operator()(ITEMIDLIST* list) const { ::CoTaskMemFree(list); }
};
}  // namespace

bool FolderBrowser::Browse()
{
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = title_.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    std::unique_ptr<ITEMIDLIST, ItemListFree> item(::SHBrowseForFolderA(&info));
    if (!item)
        return false;
    char chosen[MAX_PATH] = {};
    if (!::SHGetPathFromIDListA(item.get(), chosen))
        return false;
    path_ = std::string(chosen) + '\\';
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
