#include "qt/folder_chooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/file.h"
#include "qt/qt_text.h"

namespace thld {

std::optional<std::string> FolderChooser::Pick(const std::string& title)
{
    const QString chosen = QFileDialog::getExistingDirectory(QApplication::activeWindow(), ToQt(title),
                                                             QDir::homePath(), QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return std::nullopt;
    std::string folder = FromQt(QDir::toNativeSeparators(chosen));
    if (folder.back() != kPathSeparator)
        folder += kPathSeparator;
    return folder;
}

}  // namespace thld
