#pragma once
// The cache tree as a test sees it, read from the tree-view control by its messages.

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace thld::uitest {

struct TreeNode {
    HTREEITEM item = nullptr;
    std::string text;
    LPARAM data = 0;
    UINT state = 0;
    std::vector<TreeNode> children;

    bool Ticked() const { return (state >> 12) == 2; }
    bool Expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

std::vector<TreeNode> ReadTree(HWND tree);
std::vector<std::string> TextsOf(const std::vector<TreeNode>& nodes);
// The first node with this text; throws when there is none.
const TreeNode& NodeNamed(const std::vector<TreeNode>& nodes, const std::string& text);

// Toggles the item's tick as a click on its box does: the mouse goes to the box and the button is
// pressed and released there. Returns once the tree shows the new state (false when it never did).
bool ClickTick(HWND tree, HTREEITEM item);
// Toggles the tick of the selected item as the space key does; returns once the tree shows it.
bool SpaceTick(HWND tree);
// Ticks an unticked item by a click on its box; false when the box never showed the tick.
bool Tick(HWND tree, HTREEITEM item);
bool IsTicked(HWND tree, HTREEITEM item);
HTREEITEM SelectedItem(HWND tree);
// Selects the item as a click would, then double-clicks it; returns once the tree has handled it.
void DoubleClick(HWND tree, HTREEITEM item);

}  // namespace thld::uitest
