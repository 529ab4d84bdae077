#pragma once
// Whether a window can be shown at all: on Linux and the like a window needs an X11 or Wayland
// display, or a Qt platform named outright; without one Qt would abort the program.

#include <functional>

namespace thld {

// The message to print before ending with exit code 1, or nothing when a window can be shown.
// `variable` gives an environment variable's value, or null when it is not set.
const char* MissingDisplayMessage(const std::function<const char*(const char*)>& variable);

}  // namespace thld
