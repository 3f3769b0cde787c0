// The message box a person answers on a real desktop: it takes the focus while it is open and
// gives it back to the control that had it, so typing goes on where it was.
#include "platform/present/message_box_window.h"

#include "platform/window/window_manager.h"

#include "../forms/forms_test_support.h"

namespace formtest {
namespace {

struct TwoBoxes : Form {
    TwoBoxes() : Form("frmTwoBoxes") {}
    TextBox txtFirst{this, "txtFirst"};
    TextBox txtSecond{this, "txtSecond"};

protected:
    void Design() override {
        ScaleMode = vbPixels;
        Move(0, 0, 4000, 2000);
        txtFirst.Move(10, 10, 100, 24);
        txtSecond.Move(10, 50, 100, 24);
    }
};

HWND focusWhileOpen{};

// Inside the box's modal loop: notes where the focus is, then answers as a person does.
void AnswerWithEnter(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    focusWhileOpen = GetFocus();
    Key(VK_RETURN);
}

class MessageBoxWindow : public FormsTest {};

TEST_F(MessageBoxWindow, TakesTheFocusAndGivesItBackToTheControlThatHadIt) {
    TwoBoxes form;
    form.Show();
    form.txtSecond.SetFocus();
    Pump();
    SetTimer(HWND{}, 0, 50, AnswerWithEnter);
    const int answer = ShowMessageBoxWindow(MessageBoxRequest{form.hWnd, "Text", "Title", MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL});
    EXPECT_EQ(answer, IDYES);
    EXPECT_NE(focusWhileOpen, form.txtSecond.hWnd);
    EXPECT_EQ(GetFocus(), form.txtSecond.hWnd);
    form.Unload();
}

// The close box of a box with an OK or a Cancel button answers as that button; a Yes/No box has
// none, and the window manager's close request does not answer it either.
UINT boxType = 0;
void CloseFromTheCaption(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    HWND box = FindWindow("#32770", nullptr);
    RECT r;
    GetWindowRect(box, &r);
    if ((boxType & 0xF) == MB_YESNO) {
        WindowManagerClose(box);
        Pump();
        EXPECT_EQ(SendMessage(box, WM_NCHITTEST, 0, MakePointParam(r.right - 11, r.top + 12)), HTCAPTION);
        Key(VK_ESCAPE);
        return;
    }
    ClickAt(POINT{r.right - 11, r.top + 12});  // a dialog frame of 3 pixels, the box 2 pixels in
}

TEST_F(MessageBoxWindow, TheCloseBoxAnswersAsOkOrCancelAndAYesNoBoxHasNone) {
    const struct {
        UINT type;
        int answer;
    } kCases[] = {{MB_OK, IDOK}, {MB_OKCANCEL, IDCANCEL}, {MB_YESNOCANCEL, IDCANCEL}, {MB_YESNO, IDNO}};
    for (const auto& c : kCases) {
        boxType = c.type;
        SetTimer(HWND{}, 0, 50, CloseFromTheCaption);
        EXPECT_EQ(ShowMessageBoxWindow(MessageBoxRequest{HWND{}, "Text", "Title", c.type}), c.answer) << c.type;
    }
}

}  // namespace
}  // namespace formtest
