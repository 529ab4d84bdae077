#pragma once
// The program's classic two colours, a choice of the View menu: a dark blue surface with
// yellow text, and buttons in shades of the blue.

#include <QPalette>

namespace thld {

// The platform's palette with the program's colours for surfaces, text and selections.
QPalette ProgramPalette(QPalette platform);

}  // namespace thld
