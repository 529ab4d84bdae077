#include "window_fixture.h"

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "qt/qt_text.h"
#include "support/corpus.h"

namespace thld::test {

GameEntryRead FakeStore::Read()
{
    GameEntryRead read;
    read.result = value ? GameEntryRead::Result::Read : GameEntryRead::Result::NoKey;
    read.bytes = value.value_or("");
    return read;
}

bool FakeStore::Write(const std::string& chosen)
{
    written.push_back(chosen);
    value = chosen;
    return true;
}

std::optional<std::string> FakeChooser::Pick(const std::string& title)
{
    titles.push_back(title);
    if (answers.empty()) {
        ADD_FAILURE() << "an unexpected folder chooser: " << title;
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

WindowTest::WindowTest()
{
    places.system = SearchPlaces::System::Linux;
    places.home = temp.Path();
    places.settingsFolder = temp / "config/";
}

WindowTest::~WindowTest()
{
    if (window)
        WaitIdle();
}

void WindowTest::LayOutCorpus()
{
    LayOutGameFolder(game);
    store.value = game.substr(0, game.size() - 1);
}

MainWindow& WindowTest::Open()
{
    window = std::make_unique<MainWindow>(WindowParts{store, chooser, dialogs, places});
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Start();
    WaitIdle();
    return *window;
}

void WindowTest::Start()
{
    window = std::make_unique<MainWindow>(WindowParts{store, chooser, dialogs, places});
    window->show();
    window->Start();
}

bool WindowTest::WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

void WindowTest::WaitIdle()
{
    QElapsedTimer waited;
    waited.start();
    // Idle, and no file read for the offline column any more: a test's disk faults are for what it does.
    while ((window->IsBusy() || Model().OfflinePending()) && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(window->IsBusy()) << "the window stayed busy";
    QApplication::processEvents();
    while (Model().OfflinePending() && waited.elapsed() < 60000)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

void WindowTest::Click(const char* button) const { QTest::mouseClick(Find<QAbstractButton>(button), Qt::LeftButton); }

CacheModel& WindowTest::Model() const
{
    auto* filter = static_cast<QAbstractProxyModel*>(Tree()->model());
    return *static_cast<CacheModel*>(filter->sourceModel());
}

std::vector<std::string> WindowTest::ShownNames() const
{
    std::vector<std::string> names;
    const QAbstractItemModel* shown = Tree()->model();
    for (int row = 0; row < shown->rowCount(); ++row)
        names.push_back(FromQt(shown->index(row, 0).data().toString()));
    return names;
}

QAction* ActionNamed(const QList<QAction*>& actions, const char* text)
{
    for (QAction* action : actions)
        if (action->text() == QString::fromUtf8(text))
            return action;
    return nullptr;
}

QAction* WindowTest::Action(const char* text) const
{
    QAction* action = ActionNamed(window->findChildren<QAction*>(), text);
    if (!action)
        ADD_FAILURE() << "no action " << text;
    return action;
}

void WindowTest::WithDialog(QAction* action, const std::function<void(QDialog&)>& handle)
{
    ASSERT_NE(action, nullptr);
    bool handled = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || handled)
            return;
        handled = true;
        poll.stop();
        handle(*dialog);
    });
    poll.start(10);
    action->trigger();
    EXPECT_TRUE(WaitFor([&] { return handled && !QApplication::activeModalWidget(); })) << "no dialog came";
    WaitIdle();
}

QString WindowTest::Text(const char* label) const { return Find<QLabel>(label)->text(); }

}  // namespace thld::test
