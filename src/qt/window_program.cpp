#include "qt/window_program.h"

#include <QApplication>
#include <QTimer>

namespace thld {

int RunWindowProgram(const WindowParts& parts, const ProcessScanner& scanner)
{
    if (const char* message = RunningGameMessage(scanner)) {
        parts.dialogs.Tell(message);
        return 0;
    }
    MainWindow window(parts);
    window.show();
    // The window is on screen before anything is asked or listed.
    QTimer::singleShot(0, &window, &MainWindow::Start);
    return QApplication::exec();
}

}  // namespace thld
