// The cache in the main window: the game folder found at start, changed with Change and asked for
// when the cache looks empty; the listing off the window's thread; the jump from a requirement to
// its package; Delete and Permanent.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>

#include <algorithm>
#include <utility>

#include "commands/messages.h"
#include "commands/return_plan.h"
#include "commands/run_plan.h"
#include "platform/file.h"
#include "qt/background_work.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/cross_thread_prompt.h"
#include "qt/listing_job.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"
#include "qt/thread_mailbox.h"

namespace thld {

void MainWindow::Start()
{
    Guarded([this] {
        if (!folderFlow_.Find())
            totalLabel_->setText(
                QStringLiteral("No game folder was chosen, so there is no cache to show. "
                               "Press Change to choose the game's folder."));
    });
}

void MainWindow::UseFolders(const GameFolders& folders)
{
    folders_ = folders;
    pathLabel_->setText(ToQt(folders_.cacheFolder));
    ShowInstallations();
    StartListing();
}

void MainWindow::EndWindow() { close(); }

void MainWindow::StartListing()
{
    StopListing();
    auto state = std::make_shared<ListingState>();
    listing_ = state;
    const unsigned generation = ++generation_;
    // The items come to this thread as they are listed, through the mailbox that the listing's end
    // comes through after them.
    firstListed_ = true;
    ListedItems listed = [this, &mailbox = ThreadMailbox::Of(this), generation](std::vector<PackageItem>&& items) {
        mailbox.Post([this, generation, items = std::move(items)]() mutable {
            if (generation == generation_)
                Guarded([&] { OnItemsListed(std::move(items)); });
        });
    };
    work_ = std::make_unique<BackgroundWork>(
        this, [state, folders = folders_, listed = std::move(listed)] { RunListing(*state, folders, listed); },
        [this, state, generation](std::exception_ptr error) {
            if (generation != generation_)
                return;  // stopped, or replaced by a later listing
            Finish([&] {
                if (error) {
                    ClearTree();
                    std::rethrow_exception(error);
                }
                OnListed(*state);
            });
        });
    SetBusy(Busy::Listing);
}

void MainWindow::StopListing()
{
    if (busy_ != Busy::Listing)
        return;
    listing_->stop = true;
    ++generation_;
    work_.reset();
    listing_.reset();
    SetBusy(Busy::No);
}

void MainWindow::OnItemsListed(std::vector<PackageItem> items)
{
    const bool first = std::exchange(firstListed_, false);
    model_->AddListed(std::move(items), first, listing_ ? listing_->total.load() : 0);
    totalLabel_->setText(QStringLiteral("Listing the cache: %1 %2 so far")
                             .arg(model_->rowCount())
                             .arg(model_->rowCount() == 1 ? QStringLiteral("package") : QStringLiteral("packages")));
    totalLabel_->setToolTip(QString());
    if (first)
        SizeColumns();
    UpdateTickedLine();
}

void MainWindow::OnListed(ListingState& state)
{
    Listing& listing = state.contents.listing;
    if (listing.outcome == Listing::Outcome::Stopped)
        return;  // a later listing, or none, takes its place
    listedIndex_ = listing.indexStamp;
    if (listing.outcome != Listing::Outcome::Listed) {
        ClearTree();
        if (listing.outcome == Listing::Outcome::Unreadable)
            parts_.dialogs.Tell(messages::ReadError(listing.indexPath));
        folderFlow_.AskAboutEmptyCache();
        return;
    }
    // The rows listed keep their ticks and take their requirements. While they came they were added
    // in file order; the change of layout sorts them once, now, by the order the header shows.
    const QHeaderView* header = tree_->header();
    if (filter_->sortColumn() != header->sortIndicatorSection() || filter_->sortOrder() != header->sortIndicatorOrder())
        filter_->sort(header->sortIndicatorSection(), header->sortIndicatorOrder());
    model_->SetCacheFolder(folders_.cacheFolder);
    model_->SetPackages(std::move(state.items), std::move(state.contents.installed), std::move(state.offline));
    totalLabel_->setText(QStringLiteral("Total Cache: %1 in %2 %3")
                             .arg(SizeForPeople(listing.total))
                             .arg(model_->rowCount())
                             .arg(model_->rowCount() == 1 ? QStringLiteral("package") : QStringLiteral("packages")));
    totalLabel_->setToolTip(ExactBytes(listing.total));
    SizeColumns();
    UpdateTickedLine();
}

void MainWindow::ClearTree()
{
    model_->Clear();
    totalLabel_->setText(QStringLiteral("Total Cache: ") + SizeForPeople(0));
    totalLabel_->setToolTip(QString());
    UpdateTickedLine();
}

void MainWindow::OnRequirementActivated(const QModelIndex& shown)
{
    const QModelIndex activated = filter_->mapToSource(shown);
    if (!CacheModel::IsRequirement(activated))
        return;
    // Every package of that name is shown in turn; the last stays selected.
    for (int row : model_->RowsNamed(model_->RequirementName(activated))) {
        const QModelIndex package = model_->index(row, CacheModel::NameColumn);
        QModelIndex target = filter_->mapFromSource(package);
        if (!target.isValid()) {  // hidden by the filter, which then goes
            filterField_->clear();
            target = filter_->mapFromSource(package);
        }
        tree_->scrollTo(target);
        tree_->setCurrentIndex(target);
        tree_->expand(target);
    }
}

void MainWindow::RunCommand(Busy command, const std::vector<int>& rows)
{
    std::vector<bool> ticks = model_->Ticks();
    if (!rows.empty()) {
        ticks.assign(ticks.size(), false);
        for (int row : rows)
            ticks[static_cast<std::size_t>(row)] = true;
    }
    if (IsBusy() || std::find(ticks.begin(), ticks.end(), true) == ticks.end())
        return;
    // The command works on the listing's items, which never change (a new listing takes new ones),
    // and a copy of the ticks.
    RunJob(command, [command, items = model_->SharedItems(), folders = folders_, ticks = std::move(ticks),
                     listed = listedIndex_](UserPrompt& prompt) {
        return command == Busy::Deleting ? DeleteTicked(folders, *items, ticks, prompt, listed)
                                         : MakeTickedPermanent(folders, *items, ticks, prompt, listed);
    });
}

void MainWindow::RunFix(ProblemFix fix, const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen)
{
    if (IsBusy())
        return;
    if (fix == ProblemFix::Tidy) {
        RunJob(Busy::Fixing, [folders = folders_, plan = PlanTidy(problems, chosen), listed = listedIndex_](
                                 UserPrompt& prompt) { return RunPlan(folders, plan, prompt, listed); });
        return;
    }
    // A mismatch names the cached file by its key; Return works on the listing's items of those keys.
    auto items = model_->SharedItems();
    std::vector<bool> ticks(items->size(), false);
    for (std::size_t i = 0; i < problems.size(); ++i)
        for (std::size_t n = 0; n < items->size(); ++n)
            if (chosen[i] && problems[i].kind == CacheProblem::Kind::Mismatch && (*items)[n].key == problems[i].key)
                ticks[n] = true;
    RunJob(Busy::Fixing,
           [items, folders = folders_, ticks = std::move(ticks), listed = listedIndex_](UserPrompt& prompt) {
               return RunPlan(folders, PlanReturn(folders, *items, ticks), prompt, listed);
           });
}

void MainWindow::RunJob(Busy command, std::function<RunReport(UserPrompt&)> job)
{
    const unsigned generation = ++generation_;
    // The report comes back the same way as the job's copies went.
    auto report = std::make_shared<RunReport>();
    prompt_ = std::make_shared<CrossThreadPrompt>(this, parts_.dialogs);
    work_ = std::make_unique<BackgroundWork>(
        this, [job = std::move(job), report, prompt = prompt_] { *report = job(*prompt); },
        [this, report, generation](std::exception_ptr error) {
            if (generation == generation_)
                OnCommandDone(*report, error);
        });
    SetBusy(command);
}

void MainWindow::OnCommandDone(const RunReport& report, std::exception_ptr error)
{
    prompt_.reset();
    // After a file error the tree stays as the command left it, and the stop message says why.
    Finish([&] {
        if (error)
            std::rethrow_exception(error);
        if (report.ListAgain() && !closeWhenIdle_)
            StartListing();
        report.RaiseFailure();
    });
    if (closeWhenIdle_)
        close();
}

}  // namespace thld
