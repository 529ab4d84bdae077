#pragma once
// The about box, with a button that opens the maker's web page.

#include <functional>
#include <string>

#include "win32/dialog.h"

namespace thld {

class AboutDialog : public Dialog {
public:
    AboutDialog();

private:
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Opens the maker's web page in the user's default browser; the result is not looked at.
void OpenWebPage();

// Test seam: replaces the way a web page is opened (an empty function restores the browser) and
// gives back the one it replaces.
using WebPageOpener = std::function<void(const std::string& address)>;
WebPageOpener SetWebPageOpener(WebPageOpener opener);

}  // namespace thld
