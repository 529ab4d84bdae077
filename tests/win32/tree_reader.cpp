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
    auto state =
        static_cast<UINT>(::SendMessageW(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    return (state >> 12) == 2;
}

namespace {

// Where the item's box is, in the tree's client area; false while the tree can't tell (it lays out
// its items when it first paints them, which may not have happened yet when its window shows).
bool FindBox(HWND tree, HTREEITEM item, POINT& box)
{
    ::SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    RECT rect{};
    std::memcpy(&rect, &item, sizeof item);
    if (!::SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&rect)))
        return false;
    // The box stands left of the text; the tree itself tells where.
    TVHITTESTINFO hit{};
    hit.pt.y = (rect.top + rect.bottom) / 2;
    for (hit.pt.x = rect.left - 1; hit.pt.x > rect.left - 40; --hit.pt.x) {
        ::SendMessageW(tree, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        if ((hit.flags & TVHT_ONITEMSTATEICON) && hit.hItem == item) {
            box = hit.pt;
            return true;
        }
    }
    return false;
}

}  // namespace

bool ClickTick(HWND tree, HTREEITEM item)
{
    POINT box{};
    if (!WaitFor([&] { return FindBox(tree, item, box); }))
        return false;
    const bool before = IsTicked(tree, item);
    ::ClientToScreen(tree, &box);
    // Through the system's input, as a mouse clicks: each message then carries the point of the
    // click itself, which is where the window looks for the box whose tick changed.
    INPUT inputs[3] = {};
    const DWORD buttons[3] = {0, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dx = MulDiv(box.x, 65536, ::GetSystemMetrics(SM_CXSCREEN)) + 1;
        inputs[i].mi.dy = MulDiv(box.y, 65536, ::GetSystemMetrics(SM_CYSCREEN)) + 1;
        inputs[i].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons[i];
    }
    ::SendInput(3, inputs, sizeof(INPUT));
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

bool Tick(HWND tree, HTREEITEM item) { return IsTicked(tree, item) || ClickTick(tree, item); }

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
