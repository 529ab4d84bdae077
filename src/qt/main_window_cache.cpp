// The cache in the main window: the game folder found at start, changed with Change and asked for
// when the cache looks empty; the listing off the window's thread; the window's jobs and its busy
// state.
#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <utility>

#include "commands/messages.h"
#include "commands/window_messages.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/cache_tree_view.h"
#include "qt/listing_job.h"
#include "qt/main_window.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"
#include "qt/status_line.h"
#include "qt/thread_mailbox.h"

namespace thld {

void MainWindow::Start()
{
    Guarded([this] {
        if (!folderFlow_.Find())
            totalLabel_->setText(QString::fromUtf8(messages::kNoGameFolderChosen));
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
    const unsigned generation = ++listingGeneration_;
    // The items come to this thread as they are listed, through the mailbox that the listing's end
    // comes through after them.
    firstListed_ = true;
    ListedItems listed = [this, &mailbox = ThreadMailbox::Of(this), generation](std::vector<PackageItem>&& items) {
        mailbox.Post([this, generation, items = std::move(items)]() mutable {
            if (generation == listingGeneration_)
                Guarded([&] { OnItemsListed(std::move(items)); });
        });
    };
    RunJob(
        Busy::Listing, [state, folders = folders_, listed = std::move(listed)] { RunListing(*state, folders, listed); },
        [this, state](std::exception_ptr error) {
            if (error) {
                ClearTree();
                std::rethrow_exception(error);
            }
            OnListed(*state);
        });
}

void MainWindow::StopListing()
{
    if (busy_ != Busy::Listing)
        return;
    listing_->stop = true;
    ++listingGeneration_;
    jobs_.Forget();
    listing_.reset();
    SetBusy(Busy::No);
}

void MainWindow::OnItemsListed(std::vector<PackageItem> items)
{
    const bool first = std::exchange(firstListed_, false);
    model_->AddListed(std::move(items), first, listing_ ? listing_->total.load() : 0);
    totalLabel_->setText(ToQt(messages::ListingSoFar(static_cast<std::size_t>(model_->rowCount()))));
    totalLabel_->setToolTip(QString());
    if (first)
        tree_->SizeColumns();
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
    tree_->SetCacheFolder(folders_.cacheFolder);
    model_->SetPackages(std::move(state.items), std::move(state.contents.installed), std::move(state.offline));
    totalLabel_->setText(ToQt(messages::ListedTotal(listing.total, static_cast<std::size_t>(model_->rowCount()))));
    totalLabel_->setToolTip(ExactBytes(listing.total));
    tree_->SizeColumns();
    UpdateTickedLine();
}

void MainWindow::ClearTree()
{
    model_->Clear();
    totalLabel_->setText(ToQt(messages::EmptyTotal()));
    totalLabel_->setToolTip(QString());
    UpdateTickedLine();
}

void MainWindow::RunJob(Busy busy, std::function<void()> work, std::function<void(std::exception_ptr)> done)
{
    jobs_.Run(std::move(work),
              [this, done = std::move(done)](std::exception_ptr error) { Finish([&] { done(error); }); });
    SetBusy(busy);
}

void MainWindow::SetBusy(Busy busy)
{
    busy_ = busy;
    const bool idle = busy == Busy::No;
    for (QPushButton* button : {changeButton_, permanentButton_, deleteButton_})
        button->setEnabled(idle);
    for (QAction* action : {changeAction_, checkAction_, listAgainAction_})
        action->setEnabled(idle);
    tree_->SetCommandsAllowed(idle);
    installChooser_->setEnabled(idle);
    // The rows a listing adds can be ticked as they come, and keep their ticks when it ends; the
    // commands wait for it.
    const bool ticking = idle || busy == Busy::Listing;
    tickAllButton_->setEnabled(ticking);
    untickAllButton_->setEnabled(ticking);
    model_->SetLocked(!ticking);
    if (idle) {
        status_->EndWork();
        return;
    }
    status_->StartWork([this, busy] {
        using messages::Work;
        StatusLine::Progress progress;
        switch (busy) {
        case Busy::Listing:
            if (listing_) {
                static const Work phases[] = {Work::ListingKinds, Work::ListingRelations, Work::ListingInstalled};
                progress.work = phases[static_cast<int>(listing_->phase.load())];
                progress.total = listing_->total;
                progress.done = listing_->done;
            }
            break;
        case Busy::Checking:
            progress.work = Work::Checking;
            break;
        case Busy::Deleting:
            progress.work = Work::Deleting;
            break;
        case Busy::Moving:
            progress.work = Work::Moving;
            break;
        case Busy::Fixing:
            progress.work = Work::Fixing;
            break;
        default:
            progress.work = Work::Planning;
        }
        return progress;
    });
}

void MainWindow::Finish(const std::function<void()>& then)
{
    listing_.reset();
    SetBusy(Busy::No);
    Guarded(then);
    if (!IsBusy())
        emit Idle();
}

}  // namespace thld
