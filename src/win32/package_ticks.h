#pragma once
// The ticks of the package items, kept as the user sets them. The tree tells the window of every
// click and double click, of the space key, and (where the system sends it) of each box about to
// change (NM_TVSTATEIMAGECHANGING); once the tree has handled that input, the window reads the box
// of that one item. So Delete and Permanent know the ticks at once, without asking the tree about
// every item: a tree control may search all its items for each item it is asked about (Wine's does).

// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <unordered_map>
#include <vector>

#include "win32/cache_tree.h"

namespace thld {

class PackageTicks {
public:
    // After a listing: an unticked box for each package item, in the order of `roots`.
    void Reset(const std::vector<HTREEITEM>& roots);

    // The package item whose box the tree's notification may have changed, or nullptr.
    HTREEITEM Touched(const CacheTree& tree, const NMHDR& header) const;
    // Which listing Touched spoke of; an Update for an earlier one is passed over.
    unsigned Listing() const { return listing_; }
    // Takes the item's box from the tree, if the item is a package item of that listing.
    void Update(const CacheTree& tree, HTREEITEM item, unsigned listing);

    // One tick for each package item, in tree order.
    const std::vector<bool>& Ticked() const { return ticked_; }

private:
    HTREEITEM PackageItem(HTREEITEM item) const { return index_.count(item) ? item : nullptr; }

    std::unordered_map<HTREEITEM, std::size_t> index_;
    std::vector<bool> ticked_;
    unsigned listing_ = 0;
};

}  // namespace thld
