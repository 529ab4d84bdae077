#include "win32/window_prompt.h"

#include "win32/confirm_dialog.h"
#include "win32/message_box.h"

namespace thld {

bool WindowPrompt::Confirm(const std::string& title, const std::string& message)
{
    return ConfirmDialog(title, message).Ask(owner_) == 1;
}

void WindowPrompt::Tell(const std::string& message) { ShowMessage(owner_, message); }

}  // namespace thld
