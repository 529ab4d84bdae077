#include "tree_reader.h"

#include <cstring>
#include <stdexcept>

#include "platform/utf16.h"
#include "ui_driver.h"

namespace thld::uitest {

namespace {

HTREEITEM NextItem(HWND tree, HTREEITEM item, UINT relation)
{
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

std::vector<TreeNode> ReadLevel(HWND tree, HTREEITEM first)
{
    std::vector<TreeNode> nodes;
    for (HTREEITEM item = first; item; item = NextItem(tree, item, TVGN_NEXT)) {
        wchar_t text[1024] = {};
        TVITEMW query{};
        query.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        query.stateMask = 0xFFFF;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = 1024;
        ::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
        TreeNode node;
        node.item = item;
        node.text = query.pszText ? Utf8Of(query.pszText) : "";
        node.data = query.lParam;
        node.state = query.state;
        node.children = ReadLevel(tree, NextItem(tree, item, TVGN_CHILD));
        nodes.push_back(std::move(node));
    }
    return nodes;
}

}  // namespace

std::vector<TreeNode> ReadTree(HWND tree) { return ReadLevel(tree, NextItem(tree, nullptr, TVGN_ROOT)); }

std::vector<std::string> TextsOf(const std::vector<TreeNode>& nodes)
{
    std::vector<std::string> texts;
    for (const TreeNode& node : nodes)
        texts.push_back(node.text);
    return texts;
}

const TreeNode& NodeNamed(const std::vector<TreeNode>& nodes, const std::string& text)
{
    for (const TreeNode& node : nodes)
        if (node.text == text)
            return node;
    throw std::runtime_error("no tree item " + text);
}

bool IsTicked(HWND tree, HTREEITEM item)
{
    auto state = static_cast<UINT>(
        ::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

bool ClickTick(HWND tree, HTREEITEM item)
{
    ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    ::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    // The box stands left of the text; the tree itself tells where.
    TVHITTESTINFO hit{};
    hit.pt.y = (rect.top + rect.bottom) / 2;
    for (hit.pt.x = rect.left - 1; hit.pt.x > rect.left - 40; --hit.pt.x) {
        ::SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if ((hit.flags & TVHT_ONITEMSTATEICON) && hit.hItem == item)
            break;
    }
    const bool before = IsTicked(tree, item);
    POINT screen = hit.pt;
    ::ClientToScreen(tree, &screen);
    ::SetCursorPos(screen.x, screen.y);
    const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
    ::PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageW(tree, WM_LBUTTONUP, 0, at);
    return WaitFor([&] { return IsTicked(tree, item) != before; });
}

bool SpaceTick(HWND tree)
{
    HTREEITEM item = SelectedItem(tree);
    const bool before = IsTicked(tree, item);
    ::PostMessageW(tree, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::PostMessageW(tree, WM_CHAR, ' ', 0x00390001);
    ::PostMessageW(tree, WM_KEYUP, VK_SPACE, 0xC0390001);
    return WaitFor([&] { return IsTicked(tree, item) != before; });
}

void Tick(HWND tree, HTREEITEM item)
{
    if (!IsTicked(tree, item))
        ClickTick(tree, item);
}

HTREEITEM SelectedItem(HWND tree) { return NextItem(tree, nullptr, TVGN_CARET); }

void DoubleClick(HWND tree, HTREEITEM item)
{
    ::SendMessageA(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);  // the message takes the item in the rectangle's place
    ::SendMessageA(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect));
    LPARAM at = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // Sent, not posted: the jump opens no window, and the next step must see the tree after it.
    ::SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    ::SendMessageA(tree, WM_LBUTTONUP, 0, at);
}

}  // namespace thld::uitest
