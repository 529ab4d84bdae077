#pragma once
// The base of every dialog of the program: a window built from a dialog template, run modally or
// modeless, painted in the program's two colours.

#include <windows.h>

#include <string>

namespace thld {

inline constexpr COLORREF kDialogBackground = RGB(33, 33, 115);
inline constexpr COLORREF kDialogText = RGB(206, 206, 74);

// While one of these exists, every dialog's surface and static texts take the dialog colours.
class DialogColours {
public:
    DialogColours();
    ~DialogColours();
    DialogColours(const DialogColours&) = delete;
    DialogColours& operator=(const DialogColours&) = delete;

    // The brush of the dialog background, or none when no colours are set.
    static HBRUSH CurrentBrush();

private:
    HBRUSH brush_;
    HBRUSH previous_;
};

// Every text the program shows or takes goes through the system's wide functions, as UTF-8 on our
// side (the program's text on Windows).
std::string WindowTextOf(HWND window);
void SetWindowTextOf(HWND window, const std::string& text);

class Dialog {
public:
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;
    // A modeless window that is still open is destroyed with its object.
    virtual ~Dialog();

    // Runs the dialog modally and gives back the code it was ended with.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog as a modeless window; false when that failed.
    bool CreateModeless(HWND owner);
    HWND Window() const { return window_; }

protected:
    explicit Dialog(int templateId) : templateId_(templateId) {}

    // One message of the dialog; FALSE hands it to the default handling, as for a dialog procedure.
    // An exception that leaves it ends the operation that raised it: a FileError is shown in its
    // stop-icon message, anything else in a short message, and the dialog goes on.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HWND Item(int id) const { return ::GetDlgItem(window_, id); }
    void SetItemText(int id, const std::string& text) const;
    void End(INT_PTR result) const { ::EndDialog(window_, result); }
    // Sets the result of a notification and reports the message handled.
    INT_PTR Result(LRESULT result) const;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR HandleGuarded(Dialog& dialog, UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND window_ = nullptr;
};

}  // namespace thld
