#pragma once
// The program's run, in a QApplication that exists: the running-game guard, then the main window
// until it closes.

#include "game/process_scanner.h"
#include "qt/main_window.h"

namespace thld {

// Refuses with the guard's message while the game or its editor runs; otherwise shows the main
// window, finds the game and lists its cache, and runs until the window closes. Gives the exit code.
int RunWindowProgram(const WindowParts& parts, const ProcessScanner& scanner);

}  // namespace thld
