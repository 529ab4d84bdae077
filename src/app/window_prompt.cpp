#include "app/window_prompt.h"

#include "app/confirm_dialog.h"
#include "app/message_box.h"

namespace thld {

bool WindowPrompt::Confirm(const std::string& title, const std::string& message)
{
    return ConfirmDialog(title, message).Ask(owner_) == 1;
}

void WindowPrompt::Tell(const std::string& message) { ShowMessage(owner_, message); }

}  // namespace thld
