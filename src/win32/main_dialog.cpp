#include "win32/main_dialog.h"

#include "platform/utf16.h"
#include "win32/about_dialog.h"
#include "win32/message_box.h"
#include "win32/resource.h"
#include "win32/wait_dialog.h"

namespace thld {

namespace {

// Posted when the tree may have changed a package item's box: the item is read once the tree has
// handled the input (wParam: the listing, lParam: the item).
constexpr UINT kReadTick = WM_APP + 1;

HICON LoadAppIcon(int sizeMetricX, int sizeMetricY)
{
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME), IMAGE_ICON,
                                           ::GetSystemMetrics(sizeMetricX), ::GetSystemMetrics(sizeMetricY),
                                           LR_SHARED));
}

class PaintContext {
public:
    explicit PaintContext(HWND window) : window_(window) { dc_ = ::BeginPaint(window_, &paint_); }
    ~PaintContext() { ::EndPaint(window_, &paint_); }
    PaintContext(const PaintContext&) = delete;
    PaintContext& operator=(const PaintContext&) = delete;
    HDC Dc() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

}  // namespace

MainDialog::MainDialog(GameEntryStore& entry, FolderPicker& picker, SearchPlaces places)
    : Dialog(IDD_MAIN),
      places_(std::move(places)),
      appIcon_(LoadAppIcon(SM_CXICON, SM_CYICON)),
      smallIcon_(LoadAppIcon(SM_CXSMICON, SM_CYSMICON)),
      // The entry and the picker give the program's text, UTF-8, in which a backslash is never part of
      // another character.
      folderFlow_(entry, picker, places_, *this, *this)
{}

INT_PTR MainDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == IDM_ABOUTBOX) {
            AboutDialog().RunModal(Window());
            return TRUE;
        }
        return FALSE;
    case WM_PAINT:
        return PaintMinimised() ? TRUE : FALSE;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(appIcon_);
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case kReadTick:
        ticks_.Update(treeView_, reinterpret_cast<HTREEITEM>(lParam), static_cast<unsigned>(wParam));
        return TRUE;
    }
    return FALSE;
}

BOOL MainDialog::OnInitDialog()
{
    totalLabel_ = Item(IDC_TOTAL);
    pathLabel_ = Item(IDC_CACHE_PATH);
    treeView_.Attach(Item(IDC_CACHE_TREE));

    AddAboutItemToSystemMenu();
    ::SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(appIcon_));
    ::SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    treeView_.SetColours(kDialogBackground, kDialogText);

    return folderFlow_.Find() ? TRUE : FALSE;
}

void MainDialog::AddAboutItemToSystemMenu() const
{
    HMENU menu = ::GetSystemMenu(Window(), FALSE);
    if (!menu)
        return;
    wchar_t label[256] = {};
    if (::LoadStringW(::GetModuleHandleW(nullptr), IDS_ABOUTBOX, label, 256) <= 0)
        return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, IDM_ABOUTBOX, label);
}

bool MainDialog::PaintMinimised() const
{
    if (!::IsIconic(Window()))
        return false;
    PaintContext paint(Window());
    ::SendMessageW(Window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.Dc()), 0);
    int iconWidth = ::GetSystemMetrics(SM_CXICON);
    int iconHeight = ::GetSystemMetrics(SM_CYICON);
    RECT client{};
    ::GetClientRect(Window(), &client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    ::DrawIcon(paint.Dc(), x, y, appIcon_);
    return true;
}

void MainDialog::OnCommand(int id)
{
    switch (id) {
    case IDOK:
        End(1);
        break;
    case IDCANCEL:
        End(2);
        break;
    case IDC_PERMANENT:
        OnPermanent();
        break;
    case IDC_DELETE:
        OnDelete();
        break;
    case IDC_CHANGE:
        folderFlow_.Change();
        break;
    case IDC_ABOUT:
        AboutDialog().RunModal(Window());
        break;
    }
}

INT_PTR MainDialog::OnNotify(const NMHDR& header)
{
    if (header.idFrom != IDC_CACHE_TREE)
        return FALSE;
    if (HTREEITEM item = ticks_.Touched(treeView_, header))
        ::PostMessageW(Window(), kReadTick, ticks_.Listing(), reinterpret_cast<LPARAM>(item));
    if (header.code == TVN_SELCHANGEDA || header.code == TVN_SELCHANGEDW)
        return Result(0);
    if (header.code == NM_DBLCLK) {
        OnTreeDoubleClick();
        return Result(0);
    }
    return FALSE;
}

void MainDialog::SetWaitStatus(const std::string& status) const
{
    if (waitDialog_)
        waitDialog_->SetStatus(status);
}

void MainDialog::HideWait() const
{
    if (waitDialog_)
        waitDialog_->Hide();
}

}  // namespace thld
