// The Delete and Permanent buttons: the ticked package items go to the commands, and the cache is
// listed again when they changed it.
#include "commands/delete_ticked.h"
#include "commands/make_permanent.h"
#include "win32/main_dialog.h"
#include "win32/window_prompt.h"

namespace thld {

std::vector<bool> MainDialog::TickedItems() const
{
    std::vector<bool> ticked;
    for (HTREEITEM item = treeView_.FirstRoot(); item && ticked.size() < items_.size();
         item = treeView_.NextSibling(item))
        ticked.push_back(treeView_.IsTicked(item));
    ticked.resize(items_.size(), false);
    return ticked;
}

void MainDialog::OnDelete()
{
    WindowPrompt prompt(Window());
    if (DeleteTicked(folders_, items_, TickedItems(), prompt))
        ReadCacheIndex();
}

void MainDialog::OnPermanent()
{
    WindowPrompt prompt(Window());
    if (MakeTickedPermanent(folders_, items_, TickedItems(), prompt))
        ReadCacheIndex();
}

}  // namespace thld
