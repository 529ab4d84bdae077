// The Delete and Permanent buttons: the ticked package items (as the window has kept them) go to
// the commands, and the cache is listed again when they changed it.
#include "commands/delete_ticked.h"
#include "commands/make_permanent.h"
#include "win32/main_dialog.h"
#include "win32/window_prompt.h"

namespace thld {

void MainDialog::OnDelete()
{
    WindowPrompt prompt(Window());
    if (DeleteTicked(folders_, items_, ticks_.Ticked(), prompt))
        ReadCacheIndex();
}

void MainDialog::OnPermanent()
{
    WindowPrompt prompt(Window());
    if (MakeTickedPermanent(folders_, items_, ticks_.Ticked(), prompt))
        ReadCacheIndex();
}

}  // namespace thld
