#include "qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "commands/status_messages.h"
#include "commands/window_messages.h"
#include "game/installation_search.h"
#include "platform/file_error.h"
#include "qt/about_dialog.h"
#include "qt/batch_prompt.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/cache_tree_view.h"
#include "qt/card_pane.h"
#include "qt/cross_thread_prompt.h"
#include "qt/help_file.h"
#include "qt/listing_job.h"
#include "qt/qt_text.h"
#include "qt/size_words.h"
#include "qt/status_line.h"
#include "qt/window_layout.h"

namespace thld {

namespace {

constexpr QSize kFirstSize(900, 600);

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
      folderFlow_(parts_.store, parts_.picker, parts_.places, parts_.dialogs, *this),
      jobs_(this)
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
    // A command may still wait for an answer: it gets No, and ends before the dialogs go.
    if (listing_)
        listing_->stop = true;
    if (batch_)
        batch_->Cancel();
    if (prompt_)
        prompt_->Stop();
    jobs_.Forget();
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
    filterField_->installEventFilter(this);
    tickAllButton_ = Button("&Tick All Shown", "tickAllButton");
    untickAllButton_ = Button("&Untick All", "untickAllButton");
    filterRow->addWidget(filterField_, 1);
    filterRow->addWidget(tickAllButton_);
    filterRow->addWidget(untickAllButton_);
    column->addLayout(filterRow);

    model_ = new CacheModel(this);
    filter_ = new CacheFilter(*model_, this);
    tree_ = new CacheTreeView(*model_, *filter_);
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

    totalLabel_ = new QLabel(ToQt(messages::EmptyTotal()));
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
    status_ = new StatusLine(*statusBar());
}

void MainWindow::BuildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    changeAction_ = file->addAction(QStringLiteral("Change &Game Folder..."));
    checkAction_ = file->addAction(QStringLiteral("&Check the Cache..."));
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
        QAction* shown = columns->addAction(QStringLiteral("&") + model_->headerData(c, Qt::Horizontal).toString());
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
         "selected packages, Enter opens a requirement's package or expands a package, the Delete key deletes "
         "the ticked ones, the menu key opens a package's menu"},
        {totalLabel_, "Total size of the cache", "The size of every cached package together"},
        {permanentButton_, "Make ticked packages permanent",
         "Moves the ticked packages, with what they require, into the game's folders"},
        {deleteButton_, "Delete ticked packages", "Deletes the ticked packages from the cache, after a question"},
        {exitButton_, "Exit", "Closes the window"},
        {aboutButton_, "About Tallyhold", "The program's version and maker"},
    };
    for (const Description& d : descriptions) {
        d.widget->setAccessibleName(QString::fromUtf8(d.name));
        d.widget->setAccessibleDescription(QString::fromUtf8(d.description));
    }
    installChooser_->setToolTip(installChooser_->accessibleDescription());
    for (QPushButton* button : {changeButton_, tickAllButton_, untickAllButton_, permanentButton_, deleteButton_})
        button->setToolTip(button->accessibleDescription());
    // The order of the rows, then left to right.
    QWidget* order[] = {changeButton_, installChooser_,  filterField_,  tickAllButton_, untickAllButton_,
                        tree_,         permanentButton_, deleteButton_, exitButton_,    aboutButton_};
    for (std::size_t i = 1; i < std::size(order); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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
    using Command = CommandPlan::Command;
    connect(permanentButton_, &QPushButton::clicked, this,
            [this] { Guarded([this] { RunCommand(Command::Permanent); }); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { Guarded([this] { RunCommand(Command::Delete); }); });
    connect(tree_, &CacheTreeView::DeleteAsked, this,
            [this](const std::vector<int>& rows) { Guarded([&] { RunCommand(Command::Delete, rows); }); });
    connect(tree_, &CacheTreeView::PermanentAsked, this,
            [this](const std::vector<int>& rows) { Guarded([&] { RunCommand(Command::Permanent, rows); }); });
    connect(tree_, &CacheTreeView::FilterInTheWay, filterField_, &QLineEdit::clear);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(aboutButton_, &QPushButton::clicked, this, [this] { AboutDialog(this).exec(); });
    connect(tickAllButton_, &QPushButton::clicked, this, [this] { model_->SetTicked(filter_->ShownRows(), true); });
    connect(untickAllButton_, &QPushButton::clicked, model_, &CacheModel::UntickAll);
    connect(model_, &CacheModel::TicksChanged, this, &MainWindow::UpdateTickedLine);
    connect(filterField_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_->SetNameFilter(text.trimmed());
        UpdateTickedLine();
    });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == filterField_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && !filterField_->text().isEmpty()) {
        filterField_->clear();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::SetLook(Look look)
{
    look_ = look;
    classicAction_->setChecked(look == Look::Classic);
    ApplyLook(look);
    if (settings_)
        settings_->Set(kWindowSection, "Colours", LookWord(look));  // kept when it can be; no reason to stop
}

void MainWindow::ShowReadMe()
{
    const HelpOutcome shown = OpenHelp(QCoreApplication::applicationDirPath());
    if (!shown.opened)
        parts_.dialogs.Tell(messages::HelpNotOpened(FromQt(shown.place)));
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
    const std::size_t ticked = model_->TickedCount();
    if (ticked > 0 && !parts_.dialogs.Confirm(messages::kCloseTitle, messages::CloseWithTicks(ticked))) {
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

void MainWindow::UpdateTickedLine()
{
    std::optional<std::pair<std::size_t, std::size_t>> shown;
    if (!filterField_->text().trimmed().isEmpty())
        shown.emplace(filter_->rowCount(), model_->rowCount());
    status_->ShowTicked(model_->TickedCount(), model_->TickedBytes(), shown);
}

}  // namespace thld
