#include "tree_reader.h"

#include <cstring>
#include <stdexcept>

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
        char text[1024] = {};
        TVITEMA query{};
        query.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
        query.stateMask = 0xFFFF;
        query.hItem = item;
        query.pszText = text;
        query.cchTextMax = sizeof text;
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
        TreeNode node;
        node.item = item;
        node.text = query.pszText ? query.pszText : "";
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

void Tick(HWND tree, HTREEITEM item)
{
    TVITEMA change{};
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.stateMask = TVIS_STATEIMAGEMASK;
    change.state = INDEXTOSTATEIMAGEMASK(2);
    ::SendMessageA(tree, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&change));
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
