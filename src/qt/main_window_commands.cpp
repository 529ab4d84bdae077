// The commands of the main window: Delete and Permanent on the ticked packages, Return and Tidy from
// the problems' dialog, each planned off the window's thread, confirmed once, and run with the
// progress dialog; and the check of the cache, off the window's thread too.
#include <QApplication>

#include <algorithm>
#include <utility>

#include "commands/delete_plan.h"
#include "commands/permanent_plan.h"
#include "commands/plan_words.h"
#include "commands/problem_lines.h"
#include "commands/return_plan.h"
#include "commands/run_plan.h"
#include "commands/tidy_plan.h"
#include "commands/window_messages.h"
#include "qt/batch_prompt.h"
#include "qt/cache_model.h"
#include "qt/cross_thread_prompt.h"
#include "qt/main_window.h"
#include "qt/plan_dialogs.h"
#include "qt/qt_text.h"

namespace thld {

namespace {

// A plan made off the window's thread, with its confirmation.
struct Planned {
    std::shared_ptr<const CommandPlan> plan;
    PlanConfirmation confirmation;
};

}  // namespace

void MainWindow::RunCommand(CommandPlan::Command command, const std::vector<int>& rows)
{
    std::vector<bool> ticks = model_->Ticks();
    if (!rows.empty()) {
        ticks.assign(ticks.size(), false);
        for (int row : rows)
            ticks[static_cast<std::size_t>(row)] = true;
    }
    if (IsBusy() || std::find(ticks.begin(), ticks.end(), true) == ticks.end())
        return;
    // The plan is made from the listing's items, which never change (a new listing takes new ones),
    // and a copy of the ticks.
    auto items = model_->SharedItems();
    auto planned = std::make_shared<Planned>();
    RunJob(
        Busy::Planning,
        [planned, command, items, folders = folders_, ticks = std::move(ticks)] {
            planned->plan = std::make_shared<const CommandPlan>(command == CommandPlan::Command::Delete
                                                                    ? PlanDelete(folders, *items, ticks)
                                                                    : PlanPermanent(folders, *items, ticks));
            planned->confirmation = ConfirmationOf(*planned->plan, *items);
        },
        [this, planned, items](std::exception_ptr error) {
            if (error)
                std::rethrow_exception(error);
            ConfirmAndRun(planned->plan, items, planned->confirmation);
        });
}

void MainWindow::RunFix(ProblemFix fix, const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen)
{
    if (IsBusy())
        return;
    auto items = model_->SharedItems();
    auto planned = std::make_shared<Planned>();
    RunJob(
        Busy::Planning,
        [planned, fix, items, problems, chosen, folders = folders_] {
            planned->plan = std::make_shared<const CommandPlan>(
                fix == ProblemFix::Tidy ? PlanTidy(problems, chosen)
                                        : PlanReturn(folders, *items, ReturnTicks(*items, problems, chosen)));
            planned->confirmation = ConfirmationOf(*planned->plan, *items);
        },
        [this, planned, items](std::exception_ptr error) {
            if (error)
                std::rethrow_exception(error);
            ConfirmAndRun(planned->plan, items, planned->confirmation);
        });
}

void MainWindow::ConfirmAndRun(const std::shared_ptr<const CommandPlan>& plan,
                               const std::shared_ptr<const std::vector<PackageItem>>& items,
                               const PlanConfirmation& confirmation)
{
    if (confirmation.count == 0) {
        if (!confirmation.passedOver.empty())
            parts_.dialogs.Tell(confirmation.passedOver);
        return;
    }
    if (!parts_.dialogs.ConfirmPlan(confirmation))
        return;
    prompt_ = std::make_shared<CrossThreadPrompt>(this, parts_.dialogs);
    batch_ = std::make_shared<BatchPrompt>(*prompt_);
    delete progress_;
    const std::size_t questions = confirmation.questions;
    progress_ = new RunProgressDialog(
        ToQt(confirmation.title), ToQt(confirmation.heading),
        [batch = batch_, questions] { return std::pair(batch->Answered(), questions); }, this);
    connect(progress_, &RunProgressDialog::Cancelled, this, [batch = batch_] { batch->Cancel(); });
    using Command = CommandPlan::Command;
    const Busy busy = plan->command == Command::Delete      ? Busy::Deleting
                      : plan->command == Command::Permanent ? Busy::Moving
                                                            : Busy::Fixing;
    auto report = std::make_shared<RunReport>();
    RunJob(
        busy,
        [report, plan, batch = batch_, prompt = prompt_, folders = folders_, listed = listedIndex_] {
            *report = RunPlan(folders, *plan, *batch, listed);
        },
        [this, report, plan, items](std::exception_ptr error) {
            if (progress_ && !error)
                progress_->ShowSummary(ToQt(RunSummary(*plan, *report, *items)));
            OnCommandDone(*report, error);
        });
}

void MainWindow::OnCommandDone(const RunReport& report, std::exception_ptr error)
{
    prompt_.reset();
    batch_.reset();
    if (closeWhenIdle_) {
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        if (error)
            std::rethrow_exception(error);
        report.RaiseFailure();
        return;
    }
    // After a file error the tree stays as the command left it, and the stop message says why.
    if (error)
        std::rethrow_exception(error);
    if (report.ListAgain())
        StartListing();
    report.RaiseFailure();
}

void MainWindow::CheckThen(std::function<void(const std::vector<CacheProblem>&)> show)
{
    auto problems = std::make_shared<std::vector<CacheProblem>>();
    RunJob(
        Busy::Checking,
        [problems, folders = folders_, items = model_->SharedItems()] { *problems = CheckCache(folders, *items); },
        [problems, show = std::move(show)](std::exception_ptr error) {
            if (error)
                std::rethrow_exception(error);
            show(*problems);
        });
}

void MainWindow::ShowProblems()
{
    if (IsBusy() || folders_.cacheFolder.empty())
        return;
    CheckThen([this](const std::vector<CacheProblem>& problems) {
        // Shown once the check's end has been handed over, so that nothing waits behind the dialog.
        QMetaObject::invokeMethod(
            this, [this, problems] { Guarded([&] { ShowProblemsDialog(problems); }); }, Qt::QueuedConnection);
    });
}

void MainWindow::ShowProblemsDialog(const std::vector<CacheProblem>& problems)
{
    // After a fix (and the listing that follows it), or a fix that was not confirmed, the dialog
    // shows the problems as they are now.
    bool recheck = false;
    ProblemsDialog dialog(
        problems,
        [this, &recheck](ProblemFix fix, const std::vector<CacheProblem>& shown, const std::vector<bool>& chosen) {
            recheck = true;
            Guarded([&] { RunFix(fix, shown, chosen); });
        },
        this);
    const QMetaObject::Connection idle = connect(this, &MainWindow::Idle, &dialog, [this, &recheck, &dialog] {
        if (!std::exchange(recheck, false) || IsBusy() || closeWhenIdle_)
            return;
        CheckThen([&dialog](const std::vector<CacheProblem>& now) { dialog.ShowProblems(now); });
    });
    dialog.exec();
    disconnect(idle);
    // A check still running for the dialog gone hands its problems to nobody.
    if (busy_ == Busy::Checking) {
        jobs_.Forget();
        SetBusy(Busy::No);
    }
}

}  // namespace thld
