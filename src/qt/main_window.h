#pragma once
// The main window: a menu bar (File: Change Game Folder, Check the Cache, List Again, Quit; View:
// filter, columns, colours; Help: Read Me, About), the cache folder with its Change button, a
// filter field, the cache tree (cache_tree_view.h), the total, the Permanent, Delete and Exit
// buttons, About, and the status line (status_line.h). Its first and restored size fit the
// screen's available area. It closes only through Exit, File > Quit or its close box, after a
// question while packages are ticked; Escape in a filter field that holds text empties the field.
//
// The listing, the check of the cache, a command's plan and its run go through the one job runner
// (job_runner.h), off the window's thread, one at a time; meanwhile the window still scrolls,
// sorts, filters and resizes, but the cache can't be changed. A command asks once for its whole
// plan (PlanConfirmationDialog), then runs with a progress dialog that has Cancel and ends with a
// summary. Every error that ends an operation is caught in one place (Guarded) and shown as the
// stop message.

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/game_folder_flow.h"
#include "commands/planned_step.h"
#include "game/game_folder.h"
#include "game/installation.h"
#include "game/settings_file.h"
#include "platform/path_stamp.h"
#include "qt/desktop_look.h"
#include "qt/job_runner.h"
#include "qt/problems_dialog.h"
#include "qt/window_dialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace thld {

class BatchPrompt;
class CacheFilter;
class CacheModel;
class CacheTreeView;
class CrossThreadPrompt;
class RunProgressDialog;
class StatusLine;
struct ListingState;
struct RunReport;

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
    // A job runs: a listing, a check, a command's plan or its run.
    bool IsBusy() const { return busy_ != Busy::No; }
    const GameFolders& Folders() const { return folders_; }
    // The look the window was given (from the settings, or the View menu).
    Look CurrentLook() const { return look_; }
    void SetLook(Look look);
    // The first size of a window that wants `wanted` on a screen whose free area is `available`.
    static QSize FittedSize(QSize wanted, QSize available);

signals:
    // A job has ended and the window takes commands again.
    void Idle();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape in the filter field empties it.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Busy {
        No,
        Listing,
        Checking,
        Planning,
        Deleting,
        Moving,
        Fixing  // Return or Tidy, from the problems' dialog
    };

    void BuildWidgets();
    void BuildMenus();
    void DescribeWidgets();
    void ConnectWidgets();
    void ShowReadMe();
    void RestoreLayout();
    void SaveLayout() const;
    // Runs an operation of the window; an error that ends it is shown and goes no further.
    void Guarded(const std::function<void()>& operation);

    // The game folder's flow hands the folders over, or ends the window.
    void UseFolders(const GameFolders& folders) override;
    void ShowInstallations();
    void EndWindow() override;

    // The cache on screen (main_window_cache.cpp).
    void StartListing();
    void StopListing();
    // Rows for the items listed so far; the first batch of a listing replaces those shown.
    void OnItemsListed(std::vector<PackageItem> items);
    void OnListed(ListingState& state);
    // No rows, and a total of nothing: where a listing shows no cache.
    void ClearTree();
    void UpdateTickedLine();

    // The commands and the check (main_window_commands.cpp).
    // Plans Delete or Permanent on the ticked packages, or on `rows` when given, then asks and runs.
    void RunCommand(CommandPlan::Command command, const std::vector<int>& rows = {});
    // Return or Tidy on the chosen problems (`chosen[i]` for problems[i]) of the listing shown.
    void RunFix(ProblemFix fix, const std::vector<CacheProblem>& problems, const std::vector<bool>& chosen);
    // Asks once for the plan (made from `items`), then runs it with the progress dialog.
    void ConfirmAndRun(const std::shared_ptr<const CommandPlan>& plan,
                       const std::shared_ptr<const std::vector<PackageItem>>& items,
                       const PlanConfirmation& confirmation);
    void OnCommandDone(const RunReport& report, std::exception_ptr error);
    // Checks the cache off the window's thread, then hands the problems to `show`.
    void CheckThen(std::function<void(const std::vector<CacheProblem>&)> show);
    void ShowProblems();
    void ShowProblemsDialog(const std::vector<CacheProblem>& problems);

    // Runs a job through the runner; `done` runs guarded once it has ended and the window is idle.
    void RunJob(Busy busy, std::function<void()> work, std::function<void(std::exception_ptr)> done);
    void SetBusy(Busy busy);
    // Ends the running job, then runs what follows from it (guarded) and tells that the window is
    // idle, unless what followed started another.
    void Finish(const std::function<void()>& then);

    WindowParts parts_;
    std::optional<SettingsFile> settings_;
    Look look_ = Look::Desktop;
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
    CacheTreeView* tree_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QPushButton* permanentButton_ = nullptr;
    QPushButton* deleteButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;
    StatusLine* status_ = nullptr;
    QAction* changeAction_ = nullptr;
    QAction* checkAction_ = nullptr;
    QAction* listAgainAction_ = nullptr;
    QAction* classicAction_ = nullptr;

    Busy busy_ = Busy::No;
    bool closeWhenIdle_ = false;
    unsigned listingGeneration_ = 0;  // of the listing whose rows are awaited
    std::shared_ptr<ListingState> listing_;
    bool firstListed_ = false;                   // no item of the listing under way has come yet
    std::shared_ptr<CrossThreadPrompt> prompt_;  // the running command's questions for the user
    std::shared_ptr<BatchPrompt> batch_;         // the running command's answers for its packages
    RunProgressDialog* progress_ = nullptr;      // the last command's progress and summary
    JobRunner jobs_;
};

}  // namespace thld
