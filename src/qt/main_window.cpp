#include "qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "commands/program_info.h"
#include "game/cache_checks.h"

#include "commands/messages.h"
#include "commands/status_messages.h"
#include "platform/file_error.h"
#include "qt/about_dialog.h"
#include "qt/background_work.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/card_pane.h"
#include "qt/cross_thread_prompt.h"
#include "qt/listing_job.h"
#include "qt/program_colours.h"
#include "qt/problems_dialog.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"
#include "qt/window_layout.h"

namespace thld {

namespace {

constexpr QSize kFirstSize(900, 600);
// A listing or command that ends sooner than this shows no progress bar.
constexpr qint64 kProgressDelayMs = 150;

QPushButton* Button(const char* text, const char* name)
{
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromUtf8(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MainWindow::MainWindow(WindowParts parts, QWidget* parent)
    : QMainWindow(parent),
      parts_(parts),
      picker_(parts_.picker, parts_.places.system),
      folderPrompt_(parts_.dialogs, parts_.places.system),
      folderFlow_(parts_.store, picker_, parts_.places, folderPrompt_, *this)
{
    if (!parts_.places.settingsFolder.empty())
        settings_.emplace(parts_.places.settingsFolder + kSettingsFileName);
    if (settings_)
        look_ = LookFromWord(settings_->Get(kWindowSection, "Colours").value_or("")).value_or(Look::Desktop);
    ApplyLook(look_);
    BuildWidgets();
    BuildMenus();
    DescribeWidgets();
    ConnectWidgets();
    RestoreLayout();
    UpdateTickedLine();
}

MainWindow::~MainWindow()
{
    // The work may still wait for an answer: it gets No, and ends before the dialogs go.
    StopListing();
    if (prompt_)
        prompt_->Stop();
    work_.reset();
}

void MainWindow::BuildWidgets()
{
    setWindowTitle(ProgramTitle());
    setWindowIcon(ProgramIcon());
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);

    auto* folderRow = new QHBoxLayout;
    pathLabel_ = new QLabel(QStringLiteral("Cache Path"));
    pathLabel_->setObjectName(QStringLiteral("pathLabel"));
    pathLabel_->setFrameShape(QFrame::StyledPanel);
    pathLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);  // a long path never widens the window
    changeButton_ = Button("&Change", "changeButton");
    installChooser_ = new QComboBox;
    installChooser_->setObjectName(QStringLiteral("installChooser"));
    installChooser_->setToolTip(QStringLiteral("The installations of the game found on this computer"));
    installChooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    installChooser_->hide();  // until more than one is found
    folderRow->addWidget(pathLabel_, 1);
    folderRow->addWidget(installChooser_);
    folderRow->addWidget(changeButton_);
    column->addLayout(folderRow);

    auto* filterRow = new QHBoxLayout;
    filterField_ = new QLineEdit;
    filterField_->setObjectName(QStringLiteral("filterField"));
    filterField_->setPlaceholderText(QStringLiteral("Filter by name, title or author"));
    filterField_->setClearButtonEnabled(true);
    tickAllButton_ = Button("&Tick All Shown", "tickAllButton");
    untickAllButton_ = Button("&Untick All", "untickAllButton");
    filterRow->addWidget(filterField_, 1);
    filterRow->addWidget(tickAllButton_);
    filterRow->addWidget(untickAllButton_);
    column->addLayout(filterRow);

    model_ = new CacheModel(this);
    filter_ = new CacheFilter(*model_, this);
    tree_ = new QTreeView;
    tree_->setObjectName(QStringLiteral("cacheTree"));
    tree_->setModel(filter_);
    tree_->setUniformRowHeights(true);
    tree_->setAlternatingRowColors(true);
    tree_->setAllColumnsShowFocus(true);
    tree_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tree_->setContextMenuPolicy(Qt::CustomContextMenu);
    QHeaderView* header = tree_->header();
    header->setSortIndicatorClearable(true);  // a third click goes back to the order of cache.ini
    header->setSortIndicator(-1, Qt::AscendingOrder);
    // The name takes what the other columns, sized to their contents, leave.
    header->setStretchLastSection(false);
    header->setSectionResizeMode(CacheModel::NameColumn, QHeaderView::Stretch);
    header->setMinimumSectionSize(40);
    // Columns are sized by the rows shown and a few hundred around them, never by every row.
    header->setResizeContentsPrecision(500);
    tree_->setSortingEnabled(true);
    header->moveSection(header->visualIndex(CacheModel::TitleColumn), 1);  // the title beside the name
    // The card of the selected package beside the tree.
    auto* cardSplitter = new QSplitter;
    cardSplitter->setObjectName(QStringLiteral("cardSplitter"));
    auto* cardPane = new CardPane(*model_);
    cardPane->Follow(*tree_, *filter_);
    cardSplitter->addWidget(tree_);
    cardSplitter->addWidget(cardPane);
    cardSplitter->setStretchFactor(0, 1);
    cardSplitter->setSizes({700, 220});
    column->addWidget(cardSplitter, 1);

    totalLabel_ = new QLabel(QStringLiteral("Total Cache: ") + SizeForPeople(0));
    totalLabel_->setObjectName(QStringLiteral("totalLabel"));
    totalLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(totalLabel_);

    auto* commandRow = new QHBoxLayout;
    permanentButton_ = Button("&Permanent", "permanentButton");
    deleteButton_ = Button("&Delete", "deleteButton");
    exitButton_ = Button("E&xit", "exitButton");
    for (QPushButton* button : {permanentButton_, deleteButton_, exitButton_})
        commandRow->addWidget(button, 1);
    column->addLayout(commandRow);
    aboutButton_ = Button("&About Tallyhold", "aboutButton");
    column->addWidget(aboutButton_);
    setCentralWidget(central);

    tickedLabel_ = new QLabel;
    tickedLabel_->setObjectName(QStringLiteral("tickedLabel"));
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("statusLabel"));
    progressBar_ = new QProgressBar;
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setMaximumWidth(220);
    statusBar()->addWidget(tickedLabel_, 1);
    statusBar()->addPermanentWidget(statusLabel_);
    statusBar()->addPermanentWidget(progressBar_);
    statusLabel_->hide();
    progressBar_->hide();
    progressTimer_ = new QTimer(this);
    progressTimer_->setInterval(50);
}

void MainWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    changeAction_ = file->addAction(QStringLiteral("&Change Game Folder..."));
    checkAction_ = file->addAction(QStringLiteral("Check the &Cache..."));
    listAgainAction_ = file->addAction(QStringLiteral("&List Again"));
    listAgainAction_->setShortcut(QKeySequence::Refresh);
    file->addSeparator();
    QAction* quit = file->addAction(QStringLiteral("&Quit"));
    quit->setShortcut(QKeySequence::Quit);
    quit->setMenuRole(QAction::QuitRole);
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QAction* find = view->addAction(QStringLiteral("&Filter by Name"));
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        filterField_->setFocus();
        filterField_->selectAll();
    });
    QMenu* columns = view->addMenu(QStringLiteral("&Columns"));
    for (int c = CacheModel::KindColumn; c < CacheModel::ColumnCount; ++c) {
        QAction* shown = columns->addAction(model_->headerData(c, Qt::Horizontal).toString());
        shown->setCheckable(true);
        shown->setChecked(true);
        connect(shown, &QAction::toggled, this, [this, c](bool on) { tree_->setColumnHidden(c, !on); });
    }
    QMenu* colours = view->addMenu(QStringLiteral("C&olours"));
    auto* looks = new QActionGroup(this);
    QAction* desktop = colours->addAction(QStringLiteral("The &Desktop's"));
    classicAction_ = colours->addAction(QStringLiteral("&Classic Blue and Yellow"));
    for (QAction* choice : {desktop, classicAction_}) {
        choice->setCheckable(true);
        looks->addAction(choice);
    }
    (look_ == Look::Classic ? classicAction_ : desktop)->setChecked(true);
    connect(desktop, &QAction::triggered, this, [this] { SetLook(Look::Desktop); });
    connect(classicAction_, &QAction::triggered, this, [this] { SetLook(Look::Classic); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    QAction* readMe = help->addAction(QStringLiteral("&Read Me"));
    readMe->setShortcut(QKeySequence::HelpContents);
    connect(readMe, &QAction::triggered, this, &MainWindow::ShowReadMe);
    QAction* about = help->addAction(QStringLiteral("&About Tallyhold"));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { AboutDialog(this).exec(); });

    // The Delete key deletes in the tree only: in the filter field it deletes text.
    deleteAction_ = new QAction(QStringLiteral("&Delete"), tree_);
    deleteAction_->setShortcut(QKeySequence::Delete);
    deleteAction_->setShortcutContext(Qt::WidgetShortcut);
    tree_->addAction(deleteAction_);
}

void MainWindow::DescribeWidgets()
{
    struct Description {
        QWidget* widget;
        const char* name;
        const char* description;
    };
    const Description descriptions[] = {
        {pathLabel_, "Cache folder", "The cache folder shown below"},
        {changeButton_, "Change game folder", "Choose another Unreal Tournament folder"},
        {installChooser_, "Installations found", "The installations of the game found on this computer"},
        {filterField_, "Filter", "Shows only the packages whose name, or map title or author, holds this text"},
        {tickAllButton_, "Tick all shown", "Ticks every package the filter shows"},
        {untickAllButton_, "Untick all", "Unticks every package"},
        {tree_, "Cached packages",
         "The cache's packages with kind, size, last use, installed copy and offline state; Space ticks the "
         "selected packages, the Delete key deletes the ticked ones, the menu key opens a package's menu"},
        {totalLabel_, "Total size of the cache", "The size of every cached package together"},
        {permanentButton_, "Make ticked packages permanent",
         "Moves the ticked packages, with what they require, into the game's folders"},
        {deleteButton_, "Delete ticked packages", "Deletes the ticked packages from the cache, after a question"},
        {exitButton_, "Exit", "Closes the window"},
        {aboutButton_, "About Tallyhold", "The program's version and maker"},
        {tickedLabel_, "Ticked packages", "How many packages are ticked and their size"},
        {statusLabel_, "Status", "What a long operation is doing"},
        {progressBar_, "Progress", "How far a long operation has got"},
    };
    for (const Description& d : descriptions) {
        d.widget->setAccessibleName(QString::fromUtf8(d.name));
        d.widget->setAccessibleDescription(QString::fromUtf8(d.description));
    }
    for (QPushButton* button : {changeButton_, tickAllButton_, untickAllButton_, permanentButton_, deleteButton_})
        button->setToolTip(button->accessibleDescription());
    // The order of the rows, then left to right.
    QWidget::setTabOrder(changeButton_, installChooser_);
    QWidget::setTabOrder(installChooser_, filterField_);
    QWidget::setTabOrder(filterField_, tickAllButton_);
    QWidget::setTabOrder(tickAllButton_, untickAllButton_);
    QWidget::setTabOrder(untickAllButton_, tree_);
    QWidget::setTabOrder(tree_, permanentButton_);
    QWidget::setTabOrder(permanentButton_, deleteButton_);
    QWidget::setTabOrder(deleteButton_, exitButton_);
    QWidget::setTabOrder(exitButton_, aboutButton_);
}

void MainWindow::ConnectWidgets()
{
    // Once every title is there, the rows are filtered and sorted again by them.
    connect(&model_->Cards(), &CardReader::TitlesRead, this, [this] {
        if (model_->Cards().TitlesDone() &&
            (!filterField_->text().isEmpty() || filter_->sortColumn() == CacheModel::TitleColumn))
            filter_->invalidate();
    });
    auto change = [this] {
        Guarded([this] {
            if (!IsBusy())
                folderFlow_.Change();
        });
    };
    connect(changeButton_, &QPushButton::clicked, this, change);
    connect(changeAction_, &QAction::triggered, this, change);
    connect(checkAction_, &QAction::triggered, this, [this] { Guarded([this] { ShowProblems(); }); });
    connect(listAgainAction_, &QAction::triggered, this, [this] {
        if (!IsBusy() && !folders_.cacheFolder.empty())
            Guarded([this] { StartListing(); });
    });
    connect(installChooser_, &QComboBox::activated, this, [this](int index) {
        Guarded([this, index] {
            if (!IsBusy() && index >= 0)
                folderFlow_.UseInstallation(static_cast<std::size_t>(index));
        });
    });
    connect(permanentButton_, &QPushButton::clicked, this, [this] { Guarded([this] { RunCommand(Busy::Moving); }); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { Guarded([this] { RunCommand(Busy::Deleting); }); });
    connect(deleteAction_, &QAction::triggered, this, [this] {
        // The ticked packages, or where none is ticked the selected ones.
        Guarded(
            [this] { RunCommand(Busy::Deleting, model_->TickedCount() == 0 ? SelectedRows() : std::vector<int>{}); });
    });
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(aboutButton_, &QPushButton::clicked, this, [this] { AboutDialog(this).exec(); });
    connect(tickAllButton_, &QPushButton::clicked, this, [this] { model_->SetTicked(filter_->ShownRows(), true); });
    connect(untickAllButton_, &QPushButton::clicked, model_, &CacheModel::UntickAll);
    connect(model_, &CacheModel::TicksChanged, this, &MainWindow::UpdateTickedLine);
    connect(filterField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->SetNameFilter(text.trimmed());
        UpdateTickedLine();
    });
    connect(tree_, &QTreeView::doubleClicked, this, &MainWindow::OnRequirementActivated);
    connect(tree_, &QWidget::customContextMenuRequested, this, &MainWindow::ShowPackageMenu);
    connect(progressTimer_, &QTimer::timeout, this, &MainWindow::ShowProgress);
    // As in THLD.exe, Escape ends the program, and so does Enter in the tree; Escape in a filter
    // field that holds text empties it first.
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this, [this] {
        if (filterField_->hasFocus() && !filterField_->text().isEmpty())
            filterField_->clear();
        else
            close();
    });
    tree_->installEventFilter(this);
}

void MainWindow::SetLook(Look look)
{
    look_ = look;
    classicAction_->setChecked(look == Look::Classic);
    ApplyLook(look);
    if (settings_)
        settings_->Set(kWindowSection, "Colours", LookWord(look));  // kept when it can be; no reason to stop
}

std::vector<int> MainWindow::SelectedRows() const
{
    std::vector<int> rows;
    for (const QModelIndex& shown : tree_->selectionModel()->selectedRows(CacheModel::NameColumn)) {
        const QModelIndex package = filter_->mapToSource(shown);
        if (package.isValid() && !CacheModel::IsRequirement(package))
            rows.push_back(package.row());
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

void MainWindow::TickSelected()
{
    const std::vector<int> rows = SelectedRows();
    const bool allTicked = std::all_of(rows.begin(), rows.end(),
                                       [this](int row) { return model_->Ticks()[static_cast<std::size_t>(row)]; });
    model_->SetTicked(rows, !allTicked);
}

void MainWindow::ShowPackageMenu(const QPoint& asked)
{
    // From the keyboard the menu is asked for wherever; it is about the current package then.
    QPoint at = asked;
    QModelIndex shown = tree_->indexAt(at);
    if (!shown.isValid()) {
        shown = tree_->currentIndex();
        at = tree_->visualRect(shown).center();
    }
    const QModelIndex package = filter_->mapToSource(shown);
    if (!package.isValid() || CacheModel::IsRequirement(package) || IsBusy())
        return;
    if (!tree_->selectionModel()->isRowSelected(shown.row(), shown.parent()))
        tree_->setCurrentIndex(shown);
    const std::vector<int> rows = SelectedRows();
    const PackageItem& item = model_->Items()[static_cast<std::size_t>(package.row())];
    QMenu menu(this);
    menu.setAccessibleName(QStringLiteral("Package menu"));
    connect(menu.addAction(QStringLiteral("&Delete...")), &QAction::triggered, this,
            [this, rows] { Guarded([this, rows] { RunCommand(Busy::Deleting, rows); }); });
    connect(menu.addAction(QStringLiteral("Make &Permanent...")), &QAction::triggered, this,
            [this, rows] { Guarded([this, rows] { RunCommand(Busy::Moving, rows); }); });
    menu.addSeparator();
    const QString file = ToQt(folders_.cacheFolder + item.key + ".uxx");
    connect(menu.addAction(QStringLiteral("Show in &File Manager")), &QAction::triggered, this,
            [file] { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath())); });
    const QString name = ToQt(item.name);
    connect(menu.addAction(QStringLiteral("&Copy Name")), &QAction::triggered, this,
            [name] { QGuiApplication::clipboard()->setText(name); });
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

void MainWindow::ShowProblems()
{
    if (IsBusy() || folders_.cacheFolder.empty())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::vector<CacheProblem> problems;
    try {
        problems = CheckCache(folders_, model_->Items());
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    std::unique_ptr<ProblemsDialog> dialog;
    // After a fix, and the listing that follows it, the dialog shows the problems as they are now.
    const auto recheck = [this, &dialog] {
        std::vector<CacheProblem> now;
        Guarded([&] { now = CheckCache(folders_, model_->Items()); });
        dialog->ShowProblems(now);
    };
    dialog = std::make_unique<ProblemsDialog>(
        problems,
        [this, &recheck](ProblemFix fix, const std::vector<CacheProblem>& shown, const std::vector<bool>& chosen) {
            Guarded([&] { RunFix(fix, shown, chosen); });
            if (!IsBusy())  // nothing started
                recheck();
        },
        this);
    const QMetaObject::Connection idle = connect(this, &MainWindow::Idle, dialog.get(), recheck);
    dialog->exec();
    disconnect(idle);
}

void MainWindow::ShowReadMe()
{
    // The README the package installs, else the program's web page.
    for (const char* place : {"/usr/share/doc/tallyhold/README.md", "/usr/local/share/doc/tallyhold/README.md"}) {
        if (QFile::exists(QString::fromUtf8(place))) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromUtf8(place)));
            return;
        }
    }
    QDesktopServices::openUrl(QUrl(QString::fromUtf8(THLD_WEB_ADDRESS)));
}

void MainWindow::SizeColumns()
{
    for (int c = CacheModel::KindColumn; c < CacheModel::OfflineColumn; ++c)
        tree_->resizeColumnToContents(c);
    // The offline column is found out row by row as rows are shown: it is sized for its longest
    // text, not by reading every map.
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tree_) + 12;
    tree_->header()->resizeSection(
        CacheModel::OfflineColumn,
        std::max(tree_->header()->sectionSizeHint(CacheModel::OfflineColumn),
                 tree_->fontMetrics().horizontalAdvance(QStringLiteral("No, 99 missing")) + margin));
    // Titles come after the listing: room for a usual one.
    tree_->header()->resizeSection(
        CacheModel::TitleColumn,
        tree_->fontMetrics().horizontalAdvance(QStringLiteral("The Edge of the Map")) + margin);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            close();
            return true;
        }
        if (key == Qt::Key_Space) {
            TickSelected();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

QSize MainWindow::FittedSize(QSize wanted, QSize available)
{
    // A frame and a panel or two take some of the free area.
    const QSize room(available.width() * 95 / 100, available.height() * 90 / 100);
    return wanted.boundedTo(room).expandedTo(QSize(320, 240).boundedTo(room));
}

void MainWindow::RestoreLayout()
{
    std::optional<WindowLayout> layout;
    if (settings_)
        layout = ReadWindowLayout(*settings_);
    QSize wanted = kFirstSize;
    if (layout && layout->width > 0)
        wanted = QSize(layout->width, layout->height);
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    resize(shown ? FittedSize(wanted, shown->availableGeometry().size()) : wanted);
    if (!layout)
        return;
    if (layout->sortColumn >= -1 && layout->sortColumn < CacheModel::ColumnCount)
        tree_->sortByColumn(layout->sortColumn, layout->descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (layout->maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::SaveLayout() const
{
    if (!settings_)
        return;
    WindowLayout layout;
    const QSize size = isMaximized() ? normalGeometry().size() : this->size();
    layout.width = size.width();
    layout.height = size.height();
    layout.maximized = isMaximized();
    const QHeaderView* header = tree_->header();
    for (int c = 0; c < CacheModel::ColumnCount; ++c)
        layout.columnWidths.push_back(header->sectionSize(c));
    layout.sortColumn = header->sortIndicatorSection();
    layout.descending = header->sortIndicatorOrder() == Qt::DescendingOrder;
    WriteWindowLayout(*settings_, layout);  // a layout that can't be kept is no reason to stop the program
}

void MainWindow::Guarded(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const FileError& error) {
        parts_.dialogs.Stop(error.UserText());
    } catch (const std::exception& error) {
        parts_.dialogs.Tell(messages::UnexpectedErrorText(error.what()));
    } catch (...) {
        parts_.dialogs.Tell(messages::UnexpectedErrorText(""));
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (busy_ == Busy::Deleting || busy_ == Busy::Moving || busy_ == Busy::Fixing) {
        // A command stops only between its steps: the window closes once it has ended.
        closeWhenIdle_ = true;
        event->ignore();
        return;
    }
    StopListing();
    SaveLayout();
    event->accept();
}

void MainWindow::ShowInstallations()
{
    const std::vector<Installation>& found = folderFlow_.Installations();
    installChooser_->clear();
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Installation& one = found[i];
        installChooser_->addItem(QStringLiteral("%1  %2 (%3)")
                                     .arg(i + 1)
                                     .arg(ToQt(one.folders.gameFolder), QString::fromUtf8(FoundByText(one.foundBy))));
        installChooser_->setItemData(static_cast<int>(i), ToQt(one.folders.cacheFolder), Qt::ToolTipRole);
        if (one.folders.gameFolder == folders_.gameFolder && one.folders.cacheFolder == folders_.cacheFolder)
            installChooser_->setCurrentIndex(static_cast<int>(i));
    }
    installChooser_->setVisible(found.size() > 1);
}

void MainWindow::SetBusy(Busy busy)
{
    busy_ = busy;
    const bool idle = busy == Busy::No;
    for (QPushButton* button : {changeButton_, permanentButton_, deleteButton_})
        button->setEnabled(idle);
    for (QAction* action : {changeAction_, checkAction_, listAgainAction_, deleteAction_})
        action->setEnabled(idle);
    installChooser_->setEnabled(idle);
    // The rows a listing adds can be ticked as they come, and keep their ticks when it ends; the
    // commands wait for it.
    const bool ticking = idle || busy == Busy::Listing;
    tickAllButton_->setEnabled(ticking);
    untickAllButton_->setEnabled(ticking);
    model_->SetLocked(!ticking);
    if (!idle) {
        busySince_ = QDateTime::currentMSecsSinceEpoch();
        progressTimer_->start();
        return;
    }
    progressTimer_->stop();
    statusLabel_->hide();
    progressBar_->hide();
}

void MainWindow::Finish(const std::function<void()>& then)
{
    work_.reset();
    listing_.reset();
    SetBusy(Busy::No);
    Guarded(then);
    if (!IsBusy())
        emit Idle();
}

void MainWindow::ShowProgress()
{
    if (QApplication::activeModalWidget()) {
        // The command waits for an answer: no progress to show, and the delay starts afresh after it.
        busySince_ = QDateTime::currentMSecsSinceEpoch();
        statusLabel_->hide();
        progressBar_->hide();
        return;
    }
    if (!IsBusy() || QDateTime::currentMSecsSinceEpoch() - busySince_ < kProgressDelayMs)
        return;
    QString status;
    int total = 0, done = 0;  // a total of 0 shows that something goes on, not how far it has got
    if (busy_ == Busy::Listing && listing_) {
        static const char* const phases[] = {messages::kReviewingStatus, messages::kRelationshipsStatus,
                                             "Looking for Installed Copies"};
        status = QString::fromUtf8(phases[static_cast<int>(listing_->phase.load())]);
        total = static_cast<int>(std::min<std::size_t>(listing_->total, INT_MAX));
        done = static_cast<int>(std::min<std::size_t>(listing_->done, static_cast<std::size_t>(total)));
    } else {
        status = busy_ == Busy::Deleting ? QStringLiteral("Deleting Files")
                 : busy_ == Busy::Moving ? QStringLiteral("Moving Files")
                                         : QStringLiteral("Fixing Problems");
    }
    statusLabel_->setText(status);
    progressBar_->setRange(0, total);
    progressBar_->setValue(done);
    statusLabel_->show();
    progressBar_->show();
}

void MainWindow::UpdateTickedLine()
{
    const std::size_t count = model_->TickedCount();
    QString line = count == 0 ? QStringLiteral("No packages ticked")
                              : QStringLiteral("%1 %2 ticked, %3")
                                    .arg(count)
                                    .arg(count == 1 ? QStringLiteral("package") : QStringLiteral("packages"))
                                    .arg(SizeForPeople(model_->TickedBytes()));
    if (!filterField_->text().trimmed().isEmpty())
        line += QStringLiteral("; %1 of %2 packages shown").arg(filter_->rowCount()).arg(model_->rowCount());
    tickedLabel_->setText(line);
}

}  // namespace thld
