#include "win32/cache_tree.h"

namespace thld {

void CacheTree::SetColours(COLORREF background, COLORREF text) const
{
    ::SendMessageA(tree_, TVM_SETBKCOLOR, 0, static_cast<LPARAM>(background));
    ::SendMessageA(tree_, TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(text));
}

void CacheTree::DeleteAll() const
{
    ::SendMessageA(tree_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
}

HTREEITEM CacheTree::Append(HTREEITEM parent, const std::string& text, LPARAM data) const
{
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<char*>(text.c_str());
    insert.item.lParam = data;
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CacheTree::Next(HTREEITEM item, UINT relation) const
{
    return reinterpret_cast<HTREEITEM>(
        ::SendMessageA(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
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
    char buffer[1024] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = buffer;
    query.cchTextMax = sizeof buffer;
    if (!::SendMessageA(tree_, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query)))
        return std::string();
    return query.pszText ? std::string(query.pszText) : std::string();
}

bool CacheTree::IsTicked(HTREEITEM item) const
{
    auto state = static_cast<UINT>(
        ::SendMessageA(tree_, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

void CacheTree::Reveal(HTREEITEM item) const
{
    ::SendMessageA(tree_, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ::SendMessageA(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::SendMessageA(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

CacheTree::QuietFill::QuietFill(const CacheTree& tree) : tree_(tree.Window())
{
    ::SendMessageA(tree_, WM_SETREDRAW, FALSE, 0);
}

CacheTree::QuietFill::~QuietFill()
{
    ::SendMessageA(tree_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(tree_, nullptr, TRUE);
}

}  // namespace thld
