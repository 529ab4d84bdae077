#pragma once
// The "Please Wait" window: shown with a status line while a long operation runs, then hidden. It is
// created once at start-up and lives until the program ends.

#include <string>

#include "win32/dialog.h"

namespace thld {

class WaitDialog : public Dialog {
public:
    WaitDialog();

    // A free top-level window, visible from its creation. When it can't be created, the other
    // operations do nothing.
    bool Create() { return CreateModeless(nullptr); }
    // Brings it to the front with the status line, painted at once.
    void Show(const std::string& status);
    void SetStatus(const std::string& status);
    void Hide();

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace thld
