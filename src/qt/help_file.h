#pragma once
// The help that comes with the program, wherever it is installed: the docs of the package
// (<prefix>/share/doc/tallyhold/ beside the program's bin folder, or the system's), the README
// beside the program (the Windows zip and installer), else the program's web page.

#include <QString>

#include <vector>

namespace thld {

// The places looked at, in order, for a program in `programFolder`.
std::vector<QString> HelpPlaces(const QString& programFolder);
// The first of them that is a file; empty where none is.
QString HelpFile(const QString& programFolder);

struct HelpOutcome {
    bool opened = false;
    QString place;  // the file, or the web page, that was to be shown
};
// Shows the help in the desktop's browser or viewer.
HelpOutcome OpenHelp(const QString& programFolder);

}  // namespace thld
