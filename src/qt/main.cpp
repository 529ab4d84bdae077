// tallyhold-window: the cache of Unreal Tournament in a window.
#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/settings_game_entry.h"
#include "qt/about_dialog.h"
#include "qt/display_check.h"
#include "qt/folder_chooser.h"
#include "qt/window_program.h"

namespace {

// Where no settings folder is known (no home folder), nothing is stored: a chosen folder serves
// this run only.
class UnstoredGameEntry : public thld::GameEntryStore {
public:
    thld::GameEntryRead Read() override { return {}; }
    bool Write(const std::string&) override { return false; }
};

// --help and --version, which print and end the program; any other option is refused.
void TakeOptions(const QCoreApplication& application)
{
    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral(
        "Shows the download cache of Unreal Tournament, and deletes cached packages or makes them permanent."));
    options.addHelpOption();
    options.addVersionOption();
    options.process(application);
}

// Whether the command line only asks for help or the version: then no window, and so no display,
// is needed.
bool AsksOnlyAboutTheProgram(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("tallyhold-window"));
    QCoreApplication::setApplicationVersion(QStringLiteral(THLD_VERSION));
    if (AsksOnlyAboutTheProgram(argc, argv)) {
        QCoreApplication application(argc, argv);
        TakeOptions(application);
        return 0;
    }
    if (const char* message = thld::MissingDisplayMessage([](const char* name) { return std::getenv(name); })) {
        std::fputs(message, stderr);
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setDesktopFileName(QStringLiteral("tallyhold"));
    QApplication::setWindowIcon(thld::ProgramIcon());
    TakeOptions(application);

    const thld::SearchPlaces places = thld::SearchPlaces::OfThisSystem();
    thld::SettingsGameEntry settingsEntry(thld::SettingsFile(places.settingsFolder + thld::kSettingsFileName));
    UnstoredGameEntry unstoredEntry;
    thld::GameEntryStore& store =
        places.settingsFolder.empty() ? static_cast<thld::GameEntryStore&>(unstoredEntry) : settingsEntry;
    thld::FolderChooser picker;
    thld::MessageBoxDialogs dialogs;
    return thld::RunWindowProgram({store, picker, dialogs, places}, thld::ProcessScanner());
}
