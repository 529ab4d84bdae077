#pragma once
// The main window: the cache folder with its Change button, the cache tree, the total, and the
// Permanent, Delete, Exit and About buttons. It holds the state that the operations share.

#include <optional>
#include <string>
#include <vector>

#include "cache/package_item.h"
#include "commands/game_folder_flow.h"
#include "commands/user_prompt.h"
#include "game/game_folder.h"
#include "game/installation.h"
#include "platform/path_stamp.h"
#include "win32/cache_tree.h"
#include "win32/dialog.h"
#include "win32/package_ticks.h"

namespace thld {

class WaitDialog;

inline constexpr const char* kRequirementsNode = "Requirements";

class MainDialog : public Dialog, private UserPrompt, private GameFolderFlow::Host {
public:
    // `places` tell where the cache of a game folder is looked for.
    MainDialog(GameEntryStore& entry, FolderPicker& picker, SearchPlaces places);

    // Start-up sets it before the modal run; the main window uses it but does not own it.
    void SetWaitDialog(WaitDialog* waitDialog) { waitDialog_ = waitDialog; }

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog();
    void AddAboutItemToSystemMenu() const;
    bool PaintMinimised() const;
    void OnCommand(int id);
    INT_PTR OnNotify(const NMHDR& header);

    // The game folder's flow asks and tells through the window's dialogs, and hands the folders
    // over (main_dialog_folder.cpp).
    bool Confirm(const std::string& title, const std::string& message) override;
    void Tell(const std::string& message) override;
    void UseFolders(const GameFolders& folders) override;
    void EndWindow() override;
    void AskAboutEmptyCache();

    // The cache on screen (main_dialog_listing.cpp).
    void ReadCacheIndex();
    void FillTree();
    void OnTreeDoubleClick();

    // The commands (main_dialog_commands.cpp).
    void OnDelete();
    void OnPermanent();

    void SetWaitStatus(const std::string& status) const;
    void HideWait() const;

    WaitDialog* waitDialog_ = nullptr;
    SearchPlaces places_;
    GameFolders folders_;                   // those the flow last handed over
    std::vector<PackageItem> items_;        // the listed packages, one for each root item
    std::optional<PathStamp> listedIndex_;  // cache.ini as the listing found it
    std::vector<HTREEITEM> itemNodes_;      // their root items
    PackageTicks ticks_;                    // their ticks
    HWND totalLabel_ = nullptr;
    HWND pathLabel_ = nullptr;
    CacheTree treeView_;
    HICON appIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    GameFolderFlow folderFlow_;
};

}  // namespace thld
