#include "win32/cache_tree.h"

#include <iterator>

#include "platform/utf16.h"

namespace thld {

void CacheTree::SetColours(COLORREF background, COLORREF text) const
{
    ::SendMessageW(tree_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    ::SendMessageW(tree_, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

void CacheTree::DeleteAll() const { ::SendMessageW(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT)); }

HTREEITEM CacheTree::Append(HTREEITEM parent, const std::string& text, LPARAM data) const
{
    return Insert(parent, TVI_LAST, text, data);
}

HTREEITEM CacheTree::Prepend(HTREEITEM parent, const std::string& text) const
{
    return Insert(parent, TVI_FIRST, text, 0);
}

HTREEITEM CacheTree::Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, LPARAM data) const
{
    std::wstring wide = WideOf(text);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = wide.data();
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CacheTree::Next(HTREEITEM item, UINT relation) const
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::vector<HTREEITEM> CacheTree::Roots() const
{
    std::vector<HTREEITEM> roots;
    for (HTREEITEM item = FirstRoot(); item; item = NextSibling(item))
        roots.push_back(item);
    return roots;
}

std::string CacheTree::Text(HTREEITEM item) const
{
    // Item texts are package names and short labels; the control keeps at most this many.
    wchar_t buffer[1024] = {};
    TVITEMW query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = static_cast<int>(std::size(buffer));
    if (!::SendMessageW(tree_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query)))
        return std::string();
    return query.pszText ? Utf8Of(query.pszText) : std::string();
}

bool CacheTree::IsTicked(HTREEITEM item) const
{
    auto state =
        static_cast<UINT>(::SendMessageW(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

HTREEITEM CacheTree::StateIconAt(POINT point) const
{
    TVHITTESTINFO hit{};
    hit.pt = point;
    auto item = reinterpret_cast<HTREEITEM>(::SendMessageW(tree_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & TVHT_ONITEMSTATEICON) ? item : nullptr;
}

void CacheTree::Reveal(HTREEITEM item) const
{
    ::SendMessageW(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ::SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

CacheTree::QuietFill::QuietFill(const CacheTree& tree) : tree_(tree.Window())
{
    ::SendMessageW(tree_, WM_SETREDRAW, FALSE, 0);
}

CacheTree::QuietFill::~QuietFill()
{
    ::SendMessageW(tree_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree_, nullptr, TRUE);
}

}  // namespace thld
