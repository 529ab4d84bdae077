#include "qt/main_window.h"

#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QDateTime>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

#include "commands/messages.h"
#include "commands/status_messages.h"
#include "platform/file_error.h"
#include "qt/about_dialog.h"
#include "qt/background_work.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/cross_thread_prompt.h"
#include "qt/listing_job.h"
#include "qt/program_colours.h"
#include "qt/qt_text.h"
#include "qt/window_layout.h"

namespace thld {

namespace {

constexpr int kDefaultColumnWidths[CacheModel::ColumnCount] = {340, 110, 100, 140, 90};
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
    : QMainWindow(parent), parts_(parts), folderFlow_(parts_.store, parts_.picker, parts_.places, parts_.dialogs, *this)
{
    if (!parts_.places.settingsFolder.empty())
        settings_.emplace(parts_.places.settingsFolder + kSettingsFileName);
    BuildWidgets();
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
    setPalette(ProgramPalette(palette()));
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
    filterField_->setPlaceholderText(QStringLiteral("Filter by name"));
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
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    QHeaderView* header = tree_->header();
    header->setSortIndicatorClearable(true);  // a third click goes back to the order of cache.ini
    header->setSortIndicator(-1, Qt::AscendingOrder);
    for (int c = 0; c < CacheModel::ColumnCount; ++c)
        header->resizeSection(c, kDefaultColumnWidths[c]);
    tree_->setSortingEnabled(true);
    column->addWidget(tree_, 1);

    totalLabel_ = new QLabel(ToQt(messages::TotalCache(0)));
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

void MainWindow::ConnectWidgets()
{
    connect(changeButton_, &QPushButton::clicked, this, [this] {
        Guarded([this] {
            if (!IsBusy())
                folderFlow_.Change();
        });
    });
    connect(installChooser_, &QComboBox::activated, this, [this](int index) {
        Guarded([this, index] {
            if (!IsBusy() && index >= 0)
                folderFlow_.UseInstallation(static_cast<std::size_t>(index));
        });
    });
    connect(permanentButton_, &QPushButton::clicked, this, [this] { Guarded([this] { RunCommand(Busy::Moving); }); });
    connect(deleteButton_, &QPushButton::clicked, this, [this] { Guarded([this] { RunCommand(Busy::Deleting); }); });
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
    connect(progressTimer_, &QTimer::timeout, this, &MainWindow::ShowProgress);
    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, this, [this] {
        filterField_->setFocus();
        filterField_->selectAll();
    });
    connect(new QShortcut(QKeySequence::Quit, this), &QShortcut::activated, this, &QWidget::close);
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

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == tree_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            close();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::RestoreLayout()
{
    resize(900, 600);
    if (!settings_)
        return;
    const WindowLayout layout = ReadWindowLayout(*settings_);
    if (layout.width > 0)
        resize(layout.width, layout.height);
    QHeaderView* header = tree_->header();
    for (std::size_t c = 0; c < layout.columnWidths.size() && c < CacheModel::ColumnCount; ++c) {
        if (layout.columnWidths[c] > 0)
            header->resizeSection(static_cast<int>(c), layout.columnWidths[c]);
    }
    if (layout.sortColumn >= -1 && layout.sortColumn < CacheModel::ColumnCount)
        tree_->sortByColumn(layout.sortColumn, layout.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (layout.maximized)
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
    if (busy_ == Busy::Deleting || busy_ == Busy::Moving) {
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
    for (QPushButton* button : {changeButton_, permanentButton_, deleteButton_, tickAllButton_, untickAllButton_})
        button->setEnabled(idle);
    installChooser_->setEnabled(idle);
    model_->SetLocked(!idle);
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
        status = busy_ == Busy::Deleting ? QStringLiteral("Deleting Files") : QStringLiteral("Moving Files");
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
                              : QStringLiteral("%1 %2 ticked, %3k bytes")
                                    .arg(count)
                                    .arg(count == 1 ? QStringLiteral("package") : QStringLiteral("packages"))
                                    .arg(model_->TickedBytes() >> 10);
    if (!filterField_->text().trimmed().isEmpty())
        line += QStringLiteral("; %1 of %2 packages shown").arg(filter_->rowCount()).arg(model_->rowCount());
    tickedLabel_->setText(line);
}

}  // namespace thld
