#include "ui_driver.h"

#include <algorithm>

#include "platform/utf16.h"

namespace thld::uitest {

namespace {

struct Search {
    std::string title;
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && ::IsWindowVisible(window) &&
        (search->title.empty() || TextOf(window) == search->title))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND window, LPARAM data)
{
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    ::EnumChildWindows(window, CollectChildren, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string ClassOf(HWND window)
{
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

}  // namespace

std::vector<HWND> VisibleWindows(const std::string& title, DWORD processId)
{
    Search search{title, processId ? processId : ::GetCurrentProcessId(), {}};
    ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const std::string& title, DWORD processId, DWORD timeout)
{
    HWND found = nullptr;
    WaitFor(
        [&] {
            auto windows = VisibleWindows(title, processId);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeout);
    return found;
}

bool WaitUntilGone(HWND window, DWORD timeout)
{
    return WaitFor([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeout);
}

std::string TextOf(HWND window)
{
    wchar_t text[2048] = {};
    ::SendMessageTimeoutW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000, nullptr);
    return Utf8Of(text);
}

std::string ItemText(HWND dialog, int id) { return TextOf(::GetDlgItem(dialog, id)); }

void Press(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostKey(HWND window, WORD virtualKey)
{
    ::PostMessageA(window, WM_KEYDOWN, virtualKey, 1);
    ::PostMessageA(window, WM_KEYUP, virtualKey, 1 | (1u << 30) | (1u << 31));
}

MessageBoxSeen AnswerMessageBox(DWORD processId)
{
    MessageBoxSeen seen;
    HWND box = WaitForWindow("THLD", processId);
    if (!box)
        return seen;
    // The text is the static control that holds text; the icon is the one that shows an icon.
    HICON exclamation = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32515));  // IDI_EXCLAMATION
    HICON stop = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32513));         // IDI_HAND
    for (HWND child : Children(box)) {
        if (ClassOf(child) != "Static")
            continue;
        if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            auto icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
            seen.exclamation = icon == exclamation;
            seen.stop = icon == stop;
        } else if (std::string text = TextOf(child); !text.empty()) {
            seen.text = text;
        }
    }
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntilGone(box);
    return seen;
}

std::string AnswerQuestion(const std::string& title, bool yes)
{
    HWND question = WaitForWindow("Tallyhold - " + title);
    if (!question)
        return "<no question>";
    std::string message = ItemText(question, 1001);
    Press(question, yes ? IDOK : IDCANCEL);
    WaitUntilGone(question);
    return message;
}

bool CancelFolderPicker(const std::string& title)
{
    HWND picker = nullptr;
    WaitFor([&] {
        for (HWND window : VisibleWindows("")) {
            auto children = Children(window);
            if (std::any_of(children.begin(), children.end(), [&](HWND c) { return TextOf(c) == title; }))
                picker = window;
        }
        return picker != nullptr;
    });
    if (!picker)
        return false;
    ::PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    return WaitUntilGone(picker);
}

}  // namespace thld::uitest
