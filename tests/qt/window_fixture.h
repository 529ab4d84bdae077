#pragma once
// The main window in the test's own process, on Qt's offscreen platform: a fake store of the game's
// entry, a folder chooser and dialogs that answer from a script and record what they were asked,
// and a game folder in a temporary folder that is not made before a test lays it out (some tests
// need none at all).

#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QTreeView>

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "game/game_folder.h"
#include "qt/cache_model.h"
#include "qt/main_window.h"
#include "qt/window_dialogs.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

namespace thld::test {

class FakeStore : public GameEntryStore {
public:
    GameEntryRead Read() override;
    bool Write(const std::string& value) override;

    std::optional<std::string> value;  // nothing: no entry at all
    std::vector<std::string> written;
};

class FakeChooser : public FolderPicker {
public:
    std::optional<std::string> Pick(const std::string& title) override;

    std::deque<std::optional<std::string>> answers;  // nothing: the user cancels
    std::vector<std::string> titles;
};

// The window's dialogs answered by the tests' scripted prompt.
class ScriptedDialogs : public WindowDialogs {
public:
    bool Confirm(const std::string& title, const std::string& message) override
    {
        return script.Confirm(title, message);
    }
    void Tell(const std::string& message) override { script.Tell(message); }
    // Recorded as a question: "? title: message", answered from the script.
    bool Offer(const std::string& title, const std::string& message, const std::string&) override
    {
        return script.Confirm(title, message);
    }
    void Stop(const std::string& message) override { script.said.push_back("x " + message); }
    // Recorded as "? title: action", answered from the script.
    bool ConfirmPlan(const PlanConfirmation& confirmation) override
    {
        plans.push_back(confirmation);
        return script.Confirm(confirmation.title, confirmation.action);
    }

    ScriptedPrompt script;
    std::deque<bool>& answers = script.answers;
    // "? title: message" for a question, "! message" for a message, "x message" for a stop.
    std::vector<std::string>& said = script.said;
    std::vector<PlanConfirmation> plans;  // every plan confirmed, in order
};

// The action of `actions` (a menu's, a window's) whose text is `text`, mnemonic and all; nothing
// where none is.
QAction* ActionNamed(const QList<QAction*>& actions, const char* text);

class WindowTest : public ::testing::Test {
protected:
    WindowTest();
    ~WindowTest() override;

    // Lays the corpus out in `game` and points the store at it.
    void LayOutCorpus();
    // Makes the window, shows it, starts it and waits for it to be idle.
    MainWindow& Open();
    // Makes the window, shows it and starts it, without waiting for the listing.
    void Start();
    void WaitIdle();
    // Handles the window's events until `done` holds, for a minute at most; gives `done`.
    bool WaitFor(const std::function<bool()>& done);

    template <typename Widget>
    Widget* Find(const char* name) const
    {
        auto* widget = window->findChild<Widget*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Click(const char* button) const;
    // The window's action (in a menu, or of the tree) whose text is `text`, mnemonic and all.
    QAction* Action(const char* text) const;
    // Triggers `action`, then hands the modal dialog it opens to `handle` (which must close it), and
    // waits for the window to be idle.
    void WithDialog(QAction* action, const std::function<void(QDialog&)>& handle);
    QTreeView* Tree() const { return Find<QTreeView>("cacheTree"); }
    CacheModel& Model() const;
    // The names of the packages the tree shows, top to bottom.
    std::vector<std::string> ShownNames() const;
    QString Text(const char* label) const;

    TempFolder temp;
    std::string game = temp / "game/";
    FakeStore store;
    FakeChooser chooser;
    ScriptedDialogs dialogs;
    SearchPlaces places;
    std::unique_ptr<MainWindow> window;
};

}  // namespace thld::test
