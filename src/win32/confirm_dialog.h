#pragma once
// The Yes/No question asked before anything changes.

#include <string>

#include "win32/dialog.h"

namespace thld {

inline constexpr const char* kConfirmTitlePrefix = "Tallyhold - ";

class ConfirmDialog : public Dialog {
public:
    // The window's title is "Tallyhold - " followed by `title`.
    ConfirmDialog(const std::string& title, std::string message);

    // 1 for Yes (also Enter); 2 for No, Escape or the close box.
    INT_PTR Ask(HWND owner) { return RunModal(owner); }

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::string message_;
    std::string title_;
};

}  // namespace thld
