#include "win32/package_ticks.h"

namespace thld {

void PackageTicks::Reset(const std::vector<HTREEITEM>& roots)
{
    ++listing_;
    index_.clear();
    index_.reserve(roots.size());
    for (std::size_t i = 0; i < roots.size(); ++i)
        index_.emplace(roots[i], i);
    ticked_.assign(roots.size(), false);
}

HTREEITEM PackageTicks::Touched(const CacheTree& tree, const NMHDR& header) const
{
    switch (header.code) {
    case NM_CLICK:
    case NM_DBLCLK: {
        // The mouse message behind the notification says where the click was.
        const DWORD at = ::GetMessagePos();
        POINT point{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
        ::ScreenToClient(tree.Window(), &point);
        HTREEITEM item = tree.StateIconAt(point);
        return item ? PackageItem(item) : nullptr;
    }
    case TVN_KEYDOWN:
        if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_SPACE)
            return PackageItem(tree.Selected());
        return nullptr;
    case NM_TVSTATEIMAGECHANGING:
        return PackageItem(reinterpret_cast<const NMTVSTATEIMAGECHANGING&>(header).hti);
    }
    return nullptr;
}

void PackageTicks::Update(const CacheTree& tree, HTREEITEM item, unsigned listing)
{
    if (listing != listing_)
        return;
    auto found = index_.find(item);
    if (found != index_.end())
        ticked_[found->second] = tree.IsTicked(item);
}

}  // namespace thld
