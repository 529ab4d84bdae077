#pragma once
// The system's folder picker (Windows only).

#include <string>

#include "game/game_folder.h"

namespace thld {

// One run of the picker: file-system folders only, the title above the folder tree, no owner, placed
// over the middle of the window that was active (of the screen where none was). The title and the
// path are UTF-8.
class FolderBrowser {
public:
    explicit FolderBrowser(std::string title) : title_(std::move(title)) {}
    // True when the user chose a folder; Path() then holds it with a backslash appended.
    bool Browse();
    const std::string& Path() const { return path_; }

private:
    std::string title_;
    std::string path_;
};

class ShellFolderPicker : public FolderPicker {
public:
    std::optional<std::string> Pick(const std::string& title) override;
};

}  // namespace thld
