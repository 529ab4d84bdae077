#include "qt/help_file.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "commands/program_info.h"

namespace thld {

std::vector<QString> HelpPlaces(const QString& programFolder)
{
    const QDir program(programFolder);
    const QString prefix = QDir::cleanPath(program.absoluteFilePath(QStringLiteral("..")));
    std::vector<QString> places;
    for (const QString& docs :
         {prefix + QStringLiteral("/share/doc/tallyhold/docs/"), prefix + QStringLiteral("/share/doc/tallyhold/"),
          QStringLiteral("/usr/share/doc/tallyhold/docs/"), QStringLiteral("/usr/share/doc/tallyhold/"),
          QStringLiteral("/usr/local/share/doc/tallyhold/docs/"), QStringLiteral("/usr/local/share/doc/tallyhold/"),
          program.absolutePath() + QStringLiteral("/docs/"), program.absolutePath() + QStringLiteral("/")}) {
        for (const char* name : {"USAGE.md", "README.md", "README.txt"})
            places.push_back(docs + QString::fromLatin1(name));
    }
    return places;
}

QString HelpFile(const QString& programFolder)
{
    for (const QString& place : HelpPlaces(programFolder)) {
        const QFileInfo file(place);
        if (file.isFile() && file.isReadable())
            return QDir::toNativeSeparators(file.absoluteFilePath());
    }
    return QString();
}

HelpOutcome OpenHelp(const QString& programFolder)
{
    HelpOutcome outcome;
    outcome.place = HelpFile(programFolder);
    if (outcome.place.isEmpty()) {
        outcome.place = QString::fromUtf8(THLD_WEB_ADDRESS);
        outcome.opened = QDesktopServices::openUrl(QUrl(outcome.place));
    } else {
        outcome.opened = QDesktopServices::openUrl(QUrl::fromLocalFile(outcome.place));
    }
    return outcome;
}

}  // namespace thld
