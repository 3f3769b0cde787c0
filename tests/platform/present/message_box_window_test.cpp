// The message box a person answers on a real desktop: it takes the focus while it is open and
// gives it back to the control that had it; it stands above its owner, topmost or not, and above
// windows that make themselves topmost meanwhile (help balloons), while its owner takes no click
// and no key; it shows the icon of its style at the left, its text beside it; its close box
// answers as its OK or Cancel button.
#include "platform/present/message_box_window.h"

#include <functional>

#include "../forms/forms_test_support.h"
#include "platform/draw/dc.h"
#include "platform/present/presented_windows.h"
#include "platform/window/monitors.h"
#include "platform/window/window_manager.h"

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

struct Balloon : Form {
    Balloon() : Form("frmBalloon") {}

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 6000, 4000);
    }
};

// What a person does inside the box's modal loop, 50 ms after it opened, before answering with Enter.
std::function<void(HWND box)>& WhileOpen() {
    static std::function<void(HWND)> action;
    return action;
}
void AnswerWithEnter(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    if (WhileOpen()) WhileOpen()(FindWindow("#32770", nullptr));
    Key(VK_RETURN);
}
int Ask(HWND owner, UINT type, std::function<void(HWND box)> whileOpen = {}) {
    WhileOpen() = std::move(whileOpen);
    SetTimer(HWND{}, 0, 50, AnswerWithEnter);
    return MessageBox(owner, "Some text", "Title", type);
}

class MessageBoxWindow : public FormsTest {
protected:
    void SetUp() override {
        FormsTest::SetUp();
        InstallService<MessageBoxes>(MakeMessageBoxWindows());
    }
};

TEST_F(MessageBoxWindow, TakesTheFocusAndGivesItBackToTheControlThatHadIt) {
    TwoBoxes form;
    form.Show();
    form.txtSecond.SetFocus();
    Pump();
    HWND focusWhileOpen{};
    EXPECT_EQ(Ask(form.hWnd, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL, [&](HWND) { focusWhileOpen = GetFocus(); }),
              IDYES);
    EXPECT_NE(focusWhileOpen, form.txtSecond.hWnd);
    EXPECT_EQ(GetFocus(), form.txtSecond.hWnd);
    form.Unload();
}

TEST_F(MessageBoxWindow, StandsAboveATopmostOwnerAndBalloonsWhileItsOwnerTakesNoInput) {
    TwoBoxes form;
    Balloon balloon;
    form.Show();
    SetWindowPos(form.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    form.txtSecond.SetFocus();
    Pump();
    for (UINT type : {UINT{MB_OK | MB_ICONERROR}, UINT{MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL}}) {
        HWND front{}, over{};
        bool ownerEnabled = true;
        Ask(form.hWnd, type, [&](HWND box) {
            balloon.Show();
            SetWindowPos(balloon.hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            Pump();
            front = TopLevelWindowsInZOrder().front();
            over = ReadPresentedWindow(box)->modalOver;
            ownerEnabled = IsWindowEnabled(form.hWnd);
            Click(form.txtFirst.hWnd);
            Type("x");
            if (GetFocus() == form.txtFirst.hWnd) Key(VK_TAB);
            front = front == box && TopLevelWindowsInZOrder().front() == box ? box : HWND{};
        });
        EXPECT_TRUE(front) << "the box stays in front of the balloon; style " << type;
        EXPECT_EQ(over, form.hWnd);
        EXPECT_FALSE(ownerEnabled);
        EXPECT_TRUE(IsWindowEnabled(form.hWnd)) << "enabled again when the box is gone";
        EXPECT_EQ(GetFocus(), form.txtSecond.hWnd) << "the click on the owner did not take the focus";
        EXPECT_EQ(std::string(form.txtFirst.Text), "");
        EXPECT_EQ(std::string(form.txtSecond.Text), "");
        balloon.Hide();
    }
    balloon.Unload();
    form.Unload();
}

// On a screen cut into two monitors a box, and a form centred on the screen, come up on their
// owner's monitor; without an owner, on the primary one. A maximised form fills its own monitor.
TEST_F(MessageBoxWindow, IsCentredOnItsOwnersMonitorOrElseOnThePrimaryOne) {
    SetMonitorLayout({RECT{0, 0, 1280, 1024}, RECT{1280, 0, 2560, 1024}}, 0);
    TwoBoxes form;
    form.Show();
    form.Move(1400 * 15, 100 * 15);
    struct Centred : Balloon {
        void Design() override {
            Balloon::Design();
            StartUpPosition = vbStartUpScreen;
        }
    } centred;
    centred.Show(vbModeless, &form);
    const auto middle = [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    EXPECT_EQ(middle(centred.hWnd).x, 1280 + 640);
    POINT owned{}, unowned{};
    Ask(form.hWnd, MB_OK, [&](HWND box) { owned = middle(box); });
    Ask(HWND{}, MB_OK, [&](HWND box) { unowned = middle(box); });
    EXPECT_NEAR(owned.x, 1280 + 640, 1);
    EXPECT_NEAR(owned.y, 512, 1);
    EXPECT_NEAR(unowned.x, 640, 1);
    ShowWindow(form.hWnd, SW_SHOWMAXIMIZED);
    RECT maximised;
    GetWindowRect(form.hWnd, &maximised);
    EXPECT_EQ(maximised, (RECT{1280, 0, 2560, 1024}));
    centred.Unload();
    form.Unload();
    SetMonitorLayout({RECT{0, 0, 1280, 1024}}, 0);
}

// Each style's icon at the left, at the margin: its body's colour beside its sign, its sign (the
// top of the question mark's hook, where the others show their body) and the text right of it.
TEST_F(MessageBoxWindow, DrawsTheIconOfItsStyleAtTheLeftWithTheTextBesideIt) {
    struct Style {
        UINT type;
        COLORREF body;
        bool hookOnTop;
    };
    const Style styles[] = {
        {MB_ICONERROR, RGB(212, 44, 40), false},
        {MB_ICONWARNING, RGB(250, 204, 52), false},
        {MB_ICONQUESTION, RGB(44, 112, 208), true},
        {MB_ICONINFORMATION, RGB(44, 112, 208), false},
    };
    constexpr int kMargin = 14, kIcon = 32;
    for (const Style& s : styles) {
        COLORREF body = 0, hook = 0;
        int firstInk = -1;
        Ask(HWND{}, MB_OK | s.type, [&](HWND box) {
            HDC dc = GetDC(box);
            body = GetPixel(dc, kMargin + 11, kMargin + 26);
            hook = GetPixel(dc, kMargin + 16, kMargin + 6);
            for (int x = kMargin + kIcon; x < 200 && firstInk < 0; ++x)
                for (int y = kMargin; y < kMargin + kIcon; ++y)
                    if (GetPixel(dc, x, y) == RGB(0, 0, 0)) {
                        firstInk = x;
                        break;
                    }
            ReleaseDC(box, dc);
        });
        EXPECT_EQ(body, s.body) << "style " << s.type;
        EXPECT_EQ(hook == RGB(255, 255, 255), s.hookOnTop) << "style " << s.type;
        EXPECT_GE(firstInk, kMargin + kIcon + 8) << "the text begins beside the icon; style " << s.type;
    }
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

// Y and N, the underlined letters, answer Yes and No whichever button is the default; a box with
// neither button takes neither key. Another language's words bring their own letters.
TEST_F(MessageBoxWindow, YAndNAnswerYesAndNo) {
    const struct {
        UINT type;
        int key;
        int answer;
    } kCases[] = {{MB_YESNO | MB_DEFBUTTON2, 'Y', IDYES},
                  {MB_YESNO, 'N', IDNO},
                  {MB_YESNOCANCEL, 'N', IDNO},
                  {MB_OKCANCEL | MB_DEFBUTTON2, 'Y', IDCANCEL}};
    for (const auto& c : kCases)
        EXPECT_EQ(Ask(HWND{}, c.type, [key = c.key](HWND) { Key(key); }), c.answer) << c.type << " " << char(c.key);
    // In the words the program gives, the letters are theirs.
    SetMessageBoxWords({"Akkoord", "Annuleren", "&Ja", "&Nee"});
    EXPECT_EQ(Ask(HWND{}, MB_YESNO | MB_DEFBUTTON2, [](HWND) { Key('J'); }), IDYES);
    EXPECT_EQ(Ask(HWND{}, MB_YESNO, [](HWND) { Key('N'); }), IDNO);
    SetMessageBoxWords({});
}

// A key held from before the box opened never answers it: not the Enter held on the button that
// asks (its repeats go nowhere) and not a repeat that reaches the box. The next press answers.
TEST_F(MessageBoxWindow, AKeyHeldFromBeforeNeverAnswersIt) {
    struct Asking : TwoBoxes {
        CommandButton cmdAsk{this, "cmdAsk"};
        std::vector<int> answers;
        Asking() {
            cmdAsk.Click = [this] {
                answers.push_back(Ask(hWnd, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL, [](HWND box) {
                    PostMessage(box, WM_KEYDOWN, VK_RETURN, KeyData(1, KF_REPEAT));
                    Pump();
                    Key('N');
                }));
            };
        }
    } form;
    form.Show();
    form.cmdAsk.Move(2000, 150, 1200, 375);
    form.cmdAsk.SetFocus();
    Pump();
    HoldKey(VK_RETURN, '\r', 5);
    EXPECT_EQ(form.answers, (std::vector<int>{IDNO}));
    form.Unload();
}

}  // namespace
}  // namespace formtest
