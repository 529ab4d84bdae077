// The Delete and Permanent buttons: the ticked package items (as the window has kept them) give the
// command's plan, which runs once, and the cache is listed again when the run changed it. A file
// error that ended a command goes on to the window's barrier, which shows it; the tree then stays as
// it was.
#include "commands/delete_plan.h"
#include "commands/permanent_plan.h"
#include "commands/run_plan.h"
#include "win32/main_dialog.h"
#include "win32/window_prompt.h"

namespace thld {

void MainDialog::OnDelete()
{
    WindowPrompt prompt(Window());
    const RunReport report = RunPlan(folders_, PlanDelete(folders_, items_, ticks_.Ticked()), prompt, listedIndex_);
    if (report.ListAgain())
        ReadCacheIndex();
    report.RaiseFailure();
}

void MainDialog::OnPermanent()
{
    WindowPrompt prompt(Window());
    const RunReport report = RunPlan(folders_, PlanPermanent(folders_, items_, ticks_.Ticked()), prompt, listedIndex_);
    if (report.ListAgain())
        ReadCacheIndex();
    report.RaiseFailure();
}

}  // namespace thld
