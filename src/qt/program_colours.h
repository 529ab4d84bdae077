#pragma once
// The program's two colours, as every one of its windows wears them: a dark blue surface with
// yellow text, on the platform's own style of controls.

#include <QPalette>

namespace thld {

// The platform's palette with the program's colours for surfaces, text and selections.
QPalette ProgramPalette(QPalette platform);

}  // namespace thld
