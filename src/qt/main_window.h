#pragma once
// The main window: a menu bar (File: Change Game Folder, Check the Cache, List Again, Quit; View:
// filter, columns, colours; Help: Read Me, About), the cache folder with its Change button, a
// filter field, the cache tree with tick boxes and columns (and a context menu on a package), the
// total, the Permanent, Delete and Exit buttons, About, and a status line with what is ticked and
// how far a long operation has got. Its first and restored size fit the screen's available area.
//
// The listing and the commands run off the window's thread, one at a time; while one runs, the
// window still scrolls, sorts, filters and resizes, but the cache can't be changed. The listing's
// rows appear as it goes, and can be ticked meanwhile; their requirements come at its end. Every error
// that ends an operation is caught in one place (Guarded) and shown as the stop message.

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/game_folder_flow.h"
#include "game/game_folder.h"
#include "game/installation.h"
#include "game/settings_file.h"
#include "platform/path_stamp.h"
#include "qt/desktop_look.h"
#include "qt/platform_words.h"
#include "qt/problems_dialog.h"
#include "qt/window_dialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;
class QTreeView;

namespace thld {

class BackgroundWork;
class CacheFilter;
class CrossThreadPrompt;
struct RunReport;
class CacheModel;
struct ListingState;

// What the window works with; tests bring their own.
struct WindowParts {
    GameEntryStore& store;
    FolderPicker& picker;
    WindowDialogs& dialogs;
    SearchPlaces places;  // the system's rules for the cache folder, and where the settings file is
};

class MainWindow : public QMainWindow, private GameFolderFlow::Host {
    Q_OBJECT

public:
    explicit MainWindow(WindowParts parts, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Finds the game folder (asking for it when it is not stored) and lists the cache.
    void Start();
    // A listing or a command is running.
    bool IsBusy() const { return busy_ != Busy::No; }
    const GameFolders& Folders() const { return folders_; }
    // The look the window was given (from the settings, or the View menu).
    Look CurrentLook() const { return look_; }
    void SetLook(Look look);
    // The first size of a window that wants `wanted` on a screen whose free area is `available`.
    static QSize FittedSize(QSize wanted, QSize available);

signals:
    // A listing or a command has ended and the window takes commands again.
    void Idle();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Enter in the tree ends the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Busy {
        No,
        Listing,
        Deleting,
        Moving,
        Fixing  // Return or Tidy, from the problems' dialog
    };

    void BuildWidgets();
    void BuildMenus();
    void DescribeWidgets();
    void ConnectWidgets();
    void ShowPackageMenu(const QPoint& at);
    // The package rows selected in the tree, in the model's order.
    std::vector<int> SelectedRows() const;
    // Space: ticks every selected row, or unticks them when all are ticked.
    void TickSelected();
    void ShowProblems();
    void ShowReadMe();
    void SizeColumns();
    void RestoreLayout();
    void SaveLayout() const;
    // Runs an operation of the window; an error that ends it is shown and goes no further.
    void Guarded(const std::function<void()>& operation);

    // The game folder's flow hands the folders over, or ends the window.
    void UseFolders(const GameFolders& folders) override;
    void ShowInstallations();
    void EndWindow() override;

    // The cache on screen.
    void StartListing();
    void StopListing();
    // Rows for the items listed so far; the first batch of a listing replaces those shown.
    void OnItemsListed(std::vector<PackageItem> items);
    void OnListed(ListingState& state);
    // No rows, and a total of nothing: where a listing shows no cache.
    void ClearTree();
    void OnRequirementActivated(const QModelIndex& shown);
    void UpdateTickedLine();

    // The commands.
    // Runs Delete or Permanent on the ticked packages, or on `rows` when given.
    void RunCommand(Busy command, const std::vector<int>& rows = {});
    // Return or Tidy on the chosen problems (`chosen[i]` for problems[i]) of the listing shown.
    void RunFix(ProblemFix fix, const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen);
    // Runs `job` off the window's thread, its questions asked on the window's, and lists again when
    // it has changed the cache. `job` works on copies only: it gets the prompt to ask through.
    void RunJob(Busy command, std::function<RunReport(UserPrompt&)> job);
    void OnCommandDone(const RunReport& report, std::exception_ptr error);

    void SetBusy(Busy busy);
    // Ends the running listing or command, then runs what follows from it (guarded) and tells that
    // the window is idle, unless what followed started another.
    void Finish(const std::function<void()>& then);
    void ShowProgress();

    WindowParts parts_;
    PlatformPicker picker_;
    std::optional<SettingsFile> settings_;
    Look look_ = Look::Desktop;
    PlatformPrompt folderPrompt_;
    GameFolderFlow folderFlow_;
    GameFolders folders_;                   // those the flow last handed over
    std::optional<PathStamp> listedIndex_;  // cache.ini as the listing shown found it

    CacheModel* model_ = nullptr;
    CacheFilter* filter_ = nullptr;
    QLabel* pathLabel_ = nullptr;
    QPushButton* changeButton_ = nullptr;
    QComboBox* installChooser_ = nullptr;  // the installations found, beside Change
    QLineEdit* filterField_ = nullptr;
    QPushButton* tickAllButton_ = nullptr;
    QPushButton* untickAllButton_ = nullptr;
    QTreeView* tree_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QPushButton* permanentButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;
    QLabel* tickedLabel_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QTimer* progressTimer_ = nullptr;
    QAction* changeAction_ = nullptr;
    QAction* checkAction_ = nullptr;
    QAction* listAgainAction_ = nullptr;
    QAction* classicAction_ = nullptr;
    QAction* deleteAction_ = nullptr;

    Busy busy_ = Busy::No;
    qint64 busySince_ = 0;  // ms, by the window's clock
    bool closeWhenIdle_ = false;
    unsigned generation_ = 0;  // of the listing or command whose end is awaited
    std::shared_ptr<ListingState> listing_;
    bool firstListed_ = false;                   // no item of the listing under way has come yet
    std::shared_ptr<CrossThreadPrompt> prompt_;  // the running command's
    std::unique_ptr<BackgroundWork> work_;
};

}  // namespace thld
