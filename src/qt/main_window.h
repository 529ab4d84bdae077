#pragma once
// The main window: the cache folder with its Change button, a filter field, the cache tree with
// tick boxes and columns, the total, the Permanent, Delete and Exit buttons, About, and a status
// line with what is ticked and how far a long operation has got.
//
// The listing and the commands run off the window's thread, one at a time; while one runs, the
// window still scrolls, sorts, filters and resizes, but the cache can't be changed. Every error
// that ends an operation is caught in one place (Guarded) and shown as the stop message.

#include <QMainWindow>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "commands/game_folder_flow.h"
#include "game/game_folder.h"
#include "game/installation.h"
#include "game/settings_file.h"
#include "platform/path_stamp.h"
#include "qt/window_dialogs.h"

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
        Moving
    };

    void BuildWidgets();
    void ConnectWidgets();
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
    void OnListed(ListingState& state);
    void OnRequirementActivated(const QModelIndex& shown);
    void UpdateTickedLine();

    // The commands.
    void RunCommand(Busy command);
    void OnCommandDone(const RunReport& report, std::exception_ptr error);

    void SetBusy(Busy busy);
    // Ends the running listing or command, then runs what follows from it (guarded) and tells that
    // the window is idle, unless what followed started another.
    void Finish(const std::function<void()>& then);
    void ShowProgress();

    WindowParts parts_;
    std::optional<SettingsFile> settings_;
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

    Busy busy_ = Busy::No;
    qint64 busySince_ = 0;  // ms, by the window's clock
    bool closeWhenIdle_ = false;
    unsigned generation_ = 0;  // of the listing or command whose end is awaited
    std::shared_ptr<ListingState> listing_;
    std::shared_ptr<CrossThreadPrompt> prompt_;  // the running command's
    std::unique_ptr<BackgroundWork> work_;
};

}  // namespace thld
