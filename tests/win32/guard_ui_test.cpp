// The running-game guard against real processes: copies of a small waiting program, named like
// the game and its editor.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app_run.h"
#include "game/process_scanner.h"
#include "platform/process_list.h"
#include "support/guard_texts.h"
#include "support/temp_folder.h"
#include "ui_driver.h"
#include "win32/application.h"

namespace thld::uitest {
namespace {

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1);
}

bool IsListed(const std::string& name)
{
    auto names = RunningProcessNames();
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) {
        return n.size() >= name.size() && n.compare(n.size() - name.size(), name.size(), name) == 0;
    });
}

// A started program, ended with its object.
class Started {
public:
    explicit Started(const std::string& path)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = "\"" + path + "\"";
        ok_ = ::CreateProcessA(path.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process_);
    }
    ~Started()
    {
        if (!ok_)
            return;
        ::TerminateProcess(process_.hProcess, 0);
        ::WaitForSingleObject(process_.hProcess, 5000);
        ::CloseHandle(process_.hThread);
        ::CloseHandle(process_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    bool Ok() const { return ok_; }
    DWORD Id() const { return process_.dwProcessId; }
    bool Ended(DWORD timeout) const { return ::WaitForSingleObject(process_.hProcess, timeout) == WAIT_OBJECT_0; }

private:
    PROCESS_INFORMATION process_{};
    bool ok_ = false;
};

// The waiting program, copied under another name and started; it ends with the object.
class NamedProcess {
public:
    NamedProcess(const test::TempFolder& folder, const std::string& name)
    {
        std::filesystem::copy_file(ProgramFolder() + "thld_test_sleeper.exe", folder / name);
        started_ = std::make_unique<Started>(folder / name);
        listed_ = started_->Ok() && WaitFor([&] { return IsListed(name); });
    }
    bool Listed() const { return listed_; }

private:
    std::unique_ptr<Started> started_;
    bool listed_ = false;
};

TEST(GuardTest, THLDEndsWithMessageAWhileTheGameRuns)
{
    test::TempFolder folder;
    NamedProcess game(folder, "UnrealTournament.exe");
    ASSERT_TRUE(game.Listed());

    Started thld(ProgramFolder() + "..\\..\\src\\win32\\THLD.exe");
    ASSERT_TRUE(thld.Ok());
    ASSERT_TRUE(WaitForWindow("THLD", thld.Id()));
    EXPECT_EQ(VisibleWindows("", thld.Id()).size(), 1u) << "only the message shows";
    MessageBoxSeen box = AnswerMessageBox(thld.Id());
    EXPECT_EQ(box.text, test::kGameRunningText);
    EXPECT_TRUE(thld.Ended(10000));
}

TEST(GuardTest, TheEditorGivesMessageBUnlessTheGameRunsToo)
{
    test::TempFolder folder;
    NamedProcess editor(folder, "unrealed.exe");
    ASSERT_TRUE(editor.Listed());
    {
        AppRun app;
        MessageBoxSeen box = AnswerMessageBox();
        EXPECT_EQ(box.text, test::kEditorRunningText);
        EXPECT_TRUE(box.exclamation);
        EXPECT_TRUE(app.WaitForEnd());
        EXPECT_FALSE(app.WaitWindow());
    }
    NamedProcess game(folder, "UnrealTournament.exe");
    ASSERT_TRUE(game.Listed());
    AppRun app;
    EXPECT_EQ(AnswerMessageBox().text, test::kGameRunningText);
    EXPECT_TRUE(app.WaitForEnd());
}

}  // namespace
}  // namespace thld::uitest
