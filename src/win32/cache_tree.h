#pragma once
// The tree-view control that shows the cache: package items with check boxes at the root, their
// kind, size and "Requirements" below them.

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

namespace thld {

class CacheTree {
public:
    void Attach(HWND tree) { tree_ = tree; }
    HWND Window() const { return tree_; }

    void SetColours(COLORREF background, COLORREF text) const;
    void DeleteAll() const;
    // Appends an item with text (and item data) as the last child of `parent` (TVI_ROOT for a root).
    HTREEITEM Append(HTREEITEM parent, const std::string& text, LPARAM data = 0) const;
    // Puts an item with text before the other children of `parent`.
    HTREEITEM Prepend(HTREEITEM parent, const std::string& text) const;

    HTREEITEM FirstRoot() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM NextSibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM FirstChild(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM Parent(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    HTREEITEM Selected() const { return Next(nullptr, TVGN_CARET); }
    std::vector<HTREEITEM> Roots() const;

    std::string Text(HTREEITEM item) const;
    bool IsTicked(HTREEITEM item) const;
    // The item whose box (state image) lies at the point of the tree's client area, or nullptr.
    HTREEITEM StateIconAt(POINT point) const;
    // Makes the item visible, selects it and expands it, in this order.
    void Reveal(HTREEITEM item) const;

    // Turns drawing off for its lifetime and draws everything once at its end.
    class QuietFill {
    public:
        explicit QuietFill(const CacheTree& tree);
        ~QuietFill();
        QuietFill(const QuietFill&) = delete;
        QuietFill& operator=(const QuietFill&) = delete;

    private:
        HWND tree_;
    };

private:
    HTREEITEM Insert(HTREEITEM parent, HTREEITEM after, const std::string& text, LPARAM data) const;
    HTREEITEM Next(HTREEITEM item, UINT relation) const;

    HWND tree_ = nullptr;
};

}  // namespace thld
