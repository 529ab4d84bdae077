#pragma once
// The about box: the program's icon, name, version and rights notice, and a button that opens the
// maker's web page in the default browser. Also the program's icon for every window.

#include <QDialog>
#include <QIcon>

namespace thld {

// "Tallyhold v" and the version.
QString ProgramTitle();
// The program's icon at every size it is drawn in.
QIcon ProgramIcon();

class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace thld
