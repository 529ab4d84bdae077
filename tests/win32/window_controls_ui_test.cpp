// The main window's controls, menu, icon, colours and keys, and the dialogs it opens itself.
// <windows.h> comes before the headers that build on it.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <mutex>
#include <thread>

#include "app_run.h"
#include "game_entry_override.h"
#include "game_fixtures.h"
#include "ui_driver.h"
#include "win32/about_dialog.h"
#include "win32/confirm_dialog.h"
#include "win32/resource.h"

namespace thld::uitest {
namespace {

constexpr COLORREF kBlue = RGB(33, 33, 115);
constexpr COLORREF kYellow = RGB(206, 206, 74);

struct Colours {
    COLORREF background = 0, text = 0;
};

// What a dialog answers when asked how to paint one of its surfaces.
Colours ColoursFor(HWND dialog, UINT message, HWND control)
{
    Colours colours;
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(dialog, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    LOGBRUSH info{};
    if (brush && ::GetObjectA(brush, sizeof info, &info))
        colours.background = info.lbColor;
    colours.text = ::GetTextColor(dc);
    ::DeleteDC(dc);
    return colours;
}

void ExpectDialogColours(HWND dialog, HWND label)
{
    EXPECT_EQ(ColoursFor(dialog, WM_CTLCOLORDLG, dialog).background, kBlue);
    Colours text = ColoursFor(dialog, WM_CTLCOLORSTATIC, label);
    EXPECT_EQ(text.background, kBlue);
    EXPECT_EQ(text.text, kYellow);
}

class WindowControlsTest : public ::testing::Test {
protected:
    void SetUp() override { entry.SetFolder(MakeSmallGameFolder(temp, "UT")); }
    test::TempFolder temp;
    GameEntryOverride entry;
};

TEST_F(WindowControlsTest, ControlsStandWhereTheTemplateSaysInTabOrder)
{
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);
    struct Control {
        int id;
        const char* text;
        RECT units;  // x, y, width, height in dialog units
    };
    const Control controls[] = {
        {IDCANCEL, "Exit", {110, 134, 51, 14}},     {IDC_PERMANENT, "Permanent", {4, 134, 50, 14}},
        {IDC_DELETE, "Delete", {57, 134, 50, 14}},  {IDC_CACHE_TREE, "", {5, 18, 155, 100}},
        {IDC_CACHE_PATH, nullptr, {5, 6, 126, 11}}, {IDC_CHANGE, "Change", {132, 7, 27, 8}},
        {IDC_TOTAL, nullptr, {5, 122, 154, 10}},    {IDC_ABOUT, "About Tallyhold", {4, 151, 157, 9}},
    };
    HWND child = ::GetWindow(main, GW_CHILD);
    for (const Control& control : controls) {
        ASSERT_TRUE(child);
        EXPECT_EQ(::GetDlgCtrlID(child), control.id);
        RECT expected = control.units;
        ::MapDialogRect(main, &expected);
        RECT actual{};
        ::GetWindowRect(child, &actual);
        ::MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&actual), 2);
        EXPECT_EQ(actual.left, expected.left) << control.id;
        EXPECT_EQ(actual.top, expected.top) << control.id;
        EXPECT_EQ(actual.right - actual.left, expected.right) << control.id;
        EXPECT_EQ(actual.bottom - actual.top, expected.bottom) << control.id;
        if (control.text) {
            EXPECT_EQ(TextOf(child), control.text);
        }
        if (control.id < 1000 || control.id == IDC_CHANGE || control.id == IDC_ABOUT) {
            EXPECT_EQ(::GetWindowLongA(child, GWL_STYLE) & 0x0F, BS_PUSHBUTTON) << "not a default button";
        }
        child = ::GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_FALSE(child);

    RECT client{0, 0, 164, 163}, actual{};
    ::MapDialogRect(main, &client);
    ::GetClientRect(main, &actual);
    EXPECT_EQ(actual.right, client.right);
    EXPECT_EQ(actual.bottom, client.bottom);
    LONG style = ::GetWindowLongA(main, GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
    EXPECT_TRUE(::GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
    const LONG treeStyles = TVS_HASBUTTONS | TVS_HASLINES | TVS_CHECKBOXES | TVS_TRACKSELECT | TVS_DISABLEDRAGDROP |
                            TVS_NOTOOLTIPS | WS_TABSTOP;
    EXPECT_EQ(::GetWindowLongA(tree, GWL_STYLE) & (treeStyles | TVS_LINESATROOT), treeStyles);
    EXPECT_TRUE(::GetWindowLongA(tree, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(tree, TVM_GETBKCOLOR, 0, 0)), kBlue);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageA(tree, TVM_GETTEXTCOLOR, 0, 0)), kYellow);
    ExpectDialogColours(main, ::GetDlgItem(main, IDC_TOTAL));

    GUITHREADINFO focus{};
    focus.cbSize = sizeof focus;
    ::GetGUIThreadInfo(app.ThreadId(), &focus);
    EXPECT_EQ(focus.hwndFocus, ::GetDlgItem(main, IDCANCEL)) << "Exit has the focus";
}

TEST_F(WindowControlsTest, SystemMenuIconAndAboutBox)
{
    std::mutex lock;
    std::vector<std::string> opened;
    SetWebPageOpener([&](const std::string& address) {
        std::lock_guard<std::mutex> hold(lock);
        opened.push_back(address);
    });
    AppRun app;
    HWND main = app.MainWindow();
    ASSERT_TRUE(main);

    HMENU menu = ::GetSystemMenu(main, FALSE);
    int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    char label[64] = {};
    ::GetMenuStringA(menu, count - 1, label, sizeof label, MF_BYPOSITION);
    EXPECT_STREQ(label, "&About THLD...");
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), 16u);
    EXPECT_TRUE(::GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR);

    auto big = ::SendMessageA(main, WM_GETICON, ICON_BIG, 0);
    EXPECT_NE(big, 0);
    EXPECT_NE(::SendMessageA(main, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_EQ(::SendMessageA(main, WM_QUERYDRAGICON, 0, 0), big);

    // From the About button: the web page opens and the box stays until OK.
    Press(main, IDC_ABOUT);
    HWND about = WaitForWindow("About Tallyhold v1.5");
    ASSERT_TRUE(about);
    HWND icon = ::GetWindow(about, GW_CHILD);
    EXPECT_NE(::SendMessageA(icon, STM_GETICON, 0, 0), 0);
    std::vector<std::string> texts;
    for (HWND child = ::GetWindow(icon, GW_HWNDNEXT); child; child = ::GetWindow(child, GW_HWNDNEXT))
        texts.push_back(TextOf(child));
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Tallyhold v1.5", THLD_RIGHTS_NOTICE, "OK", THLD_WEB_ADDRESS, "Brightwick"}));
    ExpectDialogColours(about, icon);
    Press(about, IDC_WEB_PAGE);
    Press(about, IDC_WEB_PAGE);
    ASSERT_TRUE(WaitFor([&] {
        std::lock_guard<std::mutex> hold(lock);
        return opened.size() == 2;
    }));
    EXPECT_EQ(opened[0], THLD_WEB_ADDRESS);
    EXPECT_TRUE(::IsWindowVisible(about));
    Press(about, IDOK);
    EXPECT_TRUE(WaitUntilGone(about));

    // From the system menu; Escape closes it.
    ::PostMessageA(main, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    about = WaitForWindow("About Tallyhold v1.5");
    ASSERT_TRUE(about);
    PostKey(about, VK_ESCAPE);
    EXPECT_TRUE(WaitUntilGone(about));
    EXPECT_FALSE(app.Ended());
    SetWebPageOpener({});
}

TEST_F(WindowControlsTest, ExitEscapeCloseBoxAndEnterInTheTreeEndTheProgram)
{
    struct Way {
        const char* name;
        void (*end)(HWND main);
    };
    const Way ways[] = {
        {"Exit", [](HWND main) { Press(main, IDCANCEL); }},
        {"Escape", [](HWND main) { PostKey(main, VK_ESCAPE); }},
        {"close box", [](HWND main) { ::PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Enter in the tree",
         [](HWND main) {
             HWND tree = ::GetDlgItem(main, IDC_CACHE_TREE);
             ::PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(tree), TRUE);
             PostKey(tree, VK_RETURN);
         }},
    };
    for (const Way& way : ways) {
        AppRun app;
        HWND main = app.MainWindow();
        ASSERT_TRUE(main) << way.name;
        way.end(main);
        EXPECT_TRUE(app.WaitForEnd(5000)) << way.name;
    }
}

TEST(ConfirmDialogTest, YesByButtonOrEnterNoByButtonEscapeOrCloseBox)
{
    DialogColours colours;
    struct Way {
        const char* name;
        void (*answer)(HWND question);
        INT_PTR result;
    };
    const Way ways[] = {
        {"Yes", [](HWND q) { Press(q, IDOK); }, 1},
        {"Enter", [](HWND q) { PostKey(q, VK_RETURN); }, 1},
        {"No", [](HWND q) { Press(q, IDCANCEL); }, 2},
        {"Escape", [](HWND q) { PostKey(q, VK_ESCAPE); }, 2},
        {"close box", [](HWND q) { ::PostMessageA(q, WM_SYSCOMMAND, SC_CLOSE, 0); }, 2},
    };
    for (const Way& way : ways) {
        INT_PTR result = 0;
        std::thread asker([&] { result = ConfirmDialog("Confirm Delete File", "First\r\n\r\nLast").Ask(nullptr); });
        HWND question = WaitForWindow("Tallyhold - Confirm Delete File");
        ASSERT_TRUE(question) << way.name;
        EXPECT_EQ(ItemText(question, IDC_MESSAGE), "First\r\n\r\nLast");
        ExpectDialogColours(question, ::GetDlgItem(question, IDC_MESSAGE));
        way.answer(question);
        asker.join();
        EXPECT_EQ(result, way.result) << way.name;
    }
}

}  // namespace
}  // namespace thld::uitest
