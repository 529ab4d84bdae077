// The native window on a synthetic cache, warm files, on the platform Qt is given (offscreen where
// there is no display): from the start of the program to the first rows drawn (the listing hands
// them over as it goes) and to a filled window that takes input (each start a process of its
// own), from pressing Delete with one package ticked to its question, from
// typing a filter to the tree drawn with one package, and the peak memory. Prints medians.
//
// usage: thld_window_bench GAME_FOLDER [--runs=N]
// GAME_FOLDER holds cache/ as thld_make_cache writes it (for instance build/bench-data/10000).

#include <QAbstractProxyModel>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "game/cache_contents.h"
#include "game/process_scanner.h"
#include "game/settings_game_entry.h"
#include "qt/cache_filter.h"
#include "qt/cache_model.h"
#include "qt/folder_chooser.h"
#include "qt/main_window.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}
std::int64_t NowNs() { return Clock::now().time_since_epoch() / std::chrono::nanoseconds(1); }

long PeakKib()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0 : (n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2);
}

std::string ProcessorModel()
{
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    }
    return "unknown processor";
}

// A QApplication without options of its own.
class BenchApplication {
    int argc_ = 1;
    char name_[18] = "thld_window_bench";
    char* argv_[2] = {name_, nullptr};

public:
    QApplication qt{argc_, argv_};
};

// The program's own parts, as main() makes them: the settings file's game entry, the guard.
struct Program {
    thld::SearchPlaces places = thld::SearchPlaces::OfThisSystem();
    thld::SettingsGameEntry store{thld::SettingsFile(places.settingsFolder + thld::kSettingsFileName)};
    thld::FolderChooser picker;
    thld::MessageBoxDialogs dialogs;
    thld::MainWindow window{thld::WindowParts{store, picker, dialogs, places}};

    // Shows the window, lists the cache and runs the event loop until `then` quits it.
    void Run(const std::function<void()>& then)
    {
        if (thld::RunningGameMessage(thld::ProcessScanner())) {
            std::fprintf(stderr, "the game runs: no window\n");
            std::exit(1);
        }
        QObject::connect(&window, &thld::MainWindow::Idle, &window, then, Qt::SingleShotConnection);
        window.show();
        QTimer::singleShot(0, &window, &thld::MainWindow::Start);
        QApplication::exec();
    }
    template <typename Widget>
    Widget* Find(const char* name)
    {
        return window.findChild<Widget*>(QString::fromUtf8(name));
    }
    thld::CacheModel& Model()
    {
        auto* shown = static_cast<QAbstractProxyModel*>(Find<QTreeView>("cacheTree")->model());
        return *static_cast<thld::CacheModel*>(shown->sourceModel());
    }
};

// A package whose name no other name holds, so that filtering by it shows it alone.
std::string LoneName(const std::vector<thld::PackageItem>& items)
{
    for (std::size_t i = items.size() / 3; i < items.size(); ++i) {
        const std::string& name = items[i].name;
        if (std::count_if(items.begin(), items.end(),
                          [&](auto& other) { return other.name.find(name) != std::string::npos; }) == 1)
            return name;
    }
    return items.front().name;
}

// One start, in the child process: prints the milliseconds since `startedNs` (the parent's clock
// just before it spawned this process) at which the tree had first drawn rows, and at which the
// filled window had drawn itself and handled a key typed into it, and the peak memory.
int StartRun(std::int64_t startedNs)
{
    BenchApplication application;
    Program program;
    double firstRowsMs = -1;
    auto* tree = program.Find<QTreeView>("cacheTree");
    auto drawnRows = [&] {
        if (firstRowsMs >= 0 || tree->model()->rowCount() == 0)
            return;
        tree->viewport()->repaint();
        firstRowsMs = (NowNs() - startedNs) / 1e6;
    };
    QObject::connect(tree->model(), &QAbstractItemModel::rowsInserted, tree, drawnRows, Qt::QueuedConnection);
    QObject::connect(tree->model(), &QAbstractItemModel::modelReset, tree, drawnRows, Qt::QueuedConnection);
    program.Run([&] {
        program.window.repaint();
        auto* filter = program.Find<QLineEdit>("filterField");
        QObject::connect(filter, &QLineEdit::textChanged, [&] {
            const double ms = (NowNs() - startedNs) / 1e6;
            std::printf("%.3f %.3f %ld %d\n", firstRowsMs < 0 ? ms : firstRowsMs, ms, PeakKib(),
                        program.Model().rowCount());
            QCoreApplication::exit(0);  // quit() would close the window, which may ask first
        });
        QApplication::postEvent(filter,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x")));
    });
    return 0;
}

// The other figures, in this process: the question after Delete, and filtering.
void InProcessRuns(int runs, std::vector<double>& toQuestion, std::vector<double>& filtering)
{
    BenchApplication application;
    Program program;
    program.Run([&] {
        thld::CacheModel& model = program.Model();
        model.SetTicked({model.rowCount() / 2}, true);
        const std::string wanted = LoneName(model.Items());

        // Each question (the confirmation dialog) is cancelled as soon as it shows, so nothing changes.
        Clock::time_point pressed;
        struct Watch : QObject {
            std::vector<double>* times;
            Clock::time_point* pressed;
            bool eventFilter(QObject* object, QEvent* event) override
            {
                if (event->type() == QEvent::Show)
                    if (auto* question = qobject_cast<QDialog*>(object); question && question->isModal()) {
                        times->push_back(MsSince(*pressed));
                        QTimer::singleShot(0, question, [question] { question->reject(); });
                    }
                return false;
            }
        } watch;
        watch.times = &toQuestion;
        watch.pressed = &pressed;
        application.qt.installEventFilter(&watch);
        auto* deleteButton = program.Find<QPushButton>("deleteButton");
        for (int run = 0; run < runs; ++run) {
            pressed = Clock::now();
            deleteButton->click();
            while (program.window.IsBusy())
                QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
        application.qt.removeEventFilter(&watch);

        auto* filter = program.Find<QLineEdit>("filterField");
        auto* tree = program.Find<QTreeView>("cacheTree");
        for (int run = 0; run < runs; ++run) {
            const auto start = Clock::now();
            filter->setText(QString::fromStdString(wanted));
            tree->viewport()->repaint();
            filtering.push_back(MsSince(start));
            if (tree->model()->rowCount() != 1)
                std::fprintf(stderr, "the filter shows %d packages, not one\n", tree->model()->rowCount());
            filter->clear();
            QApplication::processEvents();
        }
        QCoreApplication::exit(0);  // quit() would close the window, which may ask first
    });
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--start-run")
        return StartRun(std::stoll(argv[2]));
    if (argc < 2) {
        std::fprintf(stderr, "usage: thld_window_bench GAME_FOLDER [--runs=N]\n");
        return 2;
    }
    const std::string game = std::filesystem::absolute(argv[1]).string();
    int runs = 7;
    if (argc > 2 && std::string(argv[2]).rfind("--runs=", 0) == 0)
        runs = std::max(1, std::atoi(argv[2] + 7));

    // The window finds the game through a settings file of its own, in a folder of the benchmark's.
    const std::string config =
        std::filesystem::temp_directory_path() / ("thld-window-bench-" + std::to_string(getpid()));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("QT_QPA_PLATFORM", std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "offscreen", 1);
    thld::SettingsGameEntry(
        thld::SettingsFile(thld::SearchPlaces::OfThisSystem().settingsFolder + thld::kSettingsFileName))
        .Write(game);

    std::vector<double> firstRowsMs, startMs, peakMib;
    int rows = 0;
    for (int run = 0; run <= runs; ++run) {  // the first run warms the files and is not counted
        int pipeFds[2];
        if (pipe(pipeFds) != 0)
            return 1;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
        char flag[] = "--start-run";
        std::string started = std::to_string(NowNs());
        char* childArgs[] = {argv[0], flag, started.data(), nullptr};
        pid_t child = 0;
        if (posix_spawn(&child, argv[0], &actions, nullptr, childArgs, environ) != 0)
            return 1;
        posix_spawn_file_actions_destroy(&actions);
        close(pipeFds[1]);
        char line[128] = {};
        const ssize_t got = read(pipeFds[0], line, sizeof line - 1);
        close(pipeFds[0]);
        int status = 0;
        waitpid(child, &status, 0);
        double firstMs = 0, ms = 0;
        long kib = 0;
        if (got <= 0 || std::sscanf(line, "%lf %lf %ld %d", &firstMs, &ms, &kib, &rows) != 4) {
            std::fprintf(stderr, "a start run gave no figures\n");
            return 1;
        }
        if (run > 0) {
            firstRowsMs.push_back(firstMs);
            startMs.push_back(ms);
            peakMib.push_back(kib / 1024.0);
        }
    }

    // For comparison: what the core's listing, as the window runs it, takes on its own, without the
    // memo (every file read).
    std::vector<double> coreMs;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        thld::ListCacheContents(thld::GameFolders{game + "/", game + "/cache/"}, thld::InstalledCopies::Check);
        coreMs.push_back(MsSince(start));
    }

    std::vector<double> toQuestion, filtering;
    InProcessRuns(runs, toQuestion, filtering);
    if (static_cast<int>(toQuestion.size()) != runs || static_cast<int>(filtering.size()) != runs)
        std::fprintf(stderr, "some runs asked no question\n");
    std::filesystem::remove_all(config);

    std::printf("native window on %d packages (%s), warm files, repeat starts, Qt platform %s\n", rows, game.c_str(),
                std::getenv("QT_QPA_PLATFORM"));
    std::printf("processor: %s, %u threads; medians of %d runs\n", ProcessorModel().c_str(),
                std::thread::hardware_concurrency(), runs);
    // The goals grow with the cache: a window over 100,000 packages may take longer to fill. Every
    // counted start is a repeat start: the first, not counted, left the memo of the listing.
    const double completeGoal = rows > 20000 ? 500 : 300;
    const double memoryGoal = rows > 20000 ? 100 : 120;
    std::printf("  start to the first rows drawn                %8.1f ms   (goal: at most 100 ms)\n",
                Median(firstRowsMs));
    std::printf("  start to a filled window that takes input   %8.1f ms   (goal: at most %.0f ms)\n", Median(startMs),
                completeGoal);
    std::printf("    the core's listing alone, every file read   %8.1f ms\n", Median(coreMs));
    std::printf("  Delete with one package ticked to question  %8.1f ms   (goal: under 50 ms)\n", Median(toQuestion));
    std::printf("  filtering to one package, drawn             %8.1f ms   (goal: under 50 ms)\n", Median(filtering));
    std::printf("  peak memory of a start                      %8.1f MiB  (goal: under %.0f MiB)\n", Median(peakMib),
                memoryGoal);
    return 0;
}
