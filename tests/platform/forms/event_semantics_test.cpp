// The event semantics forms rely on, as tables of cases: values set from code raise the events a
// user's change raises; a click moves the focus before the clicked control's events; Enter and Esc
// press the Default and Cancel buttons without moving the focus, once per press; keys reach
// KeyDown first.
#include <functional>

#include "sample_form.h"

namespace formtest {
namespace {

using Strings = std::vector<std::string>;

struct Case {
    const char* name;
    std::function<void(SampleForm&)> setUp;  // runs before the trace starts
    std::function<void(SampleForm&)> act;
    Strings expected;
};

class EventSemantics : public FormsTest {
protected:
    void Run(const std::vector<Case>& cases) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            Trace trace;
            SampleForm form(trace);
            form.Show();
            Pump();
            if (c.setUp) c.setUp(form);
            Pump();
            trace.Clear();
            c.act(form);
            Pump();
            EXPECT_EQ(trace.events, c.expected);
        }
    }
};

TEST_F(EventSemantics, ValuesSetFromCodeRaiseTheUsersEvents) {
    Run({
        {"check box set to checked raises Click", nullptr, [](SampleForm& f) { f.chFlag.Value = vbChecked; },
         {"chFlag.Click"}},
        {"check box set to the value it has raises nothing", nullptr, [](SampleForm& f) { f.chFlag.Value = vbUnchecked; },
         {}},
        {"check box set to grayed and back raises Click twice", nullptr,
         [](SampleForm& f) {
             f.chFlag.Value = vbGrayed;
             f.chFlag.Value = vbUnchecked;
         },
         {"chFlag.Click", "chFlag.Click"}},
        {"option set to True raises Click", nullptr, [](SampleForm& f) { f.optA.Value = true; }, {"optA.Click"}},
        {"option already True raises Click again", [](SampleForm& f) { f.optA.Value = true; },
         [](SampleForm& f) { f.optA.Value = true; }, {"optA.Click"}},
        {"option set to False raises nothing", [](SampleForm& f) { f.optA.Value = true; },
         [](SampleForm& f) { f.optA.Value = false; }, {}},
        {"option set to True clears the other without its events", [](SampleForm& f) { f.optB.Value = true; },
         [](SampleForm& f) { f.optA.Value = true; }, {"optA.Click"}},
        {"list ListIndex raises Click, also when unchanged", nullptr,
         [](SampleForm& f) {
             f.lstItems.ListIndex = 1;
             f.lstItems.ListIndex = 1;
         },
         {"lstItems.Click", "lstItems.Click"}},
        {"list ListIndex -1 raises Click", [](SampleForm& f) { f.lstItems.ListIndex = 2; },
         [](SampleForm& f) { f.lstItems.ListIndex = -1; }, {"lstItems.Click"}},
        {"combo ListIndex raises Click, also when unchanged", nullptr,
         [](SampleForm& f) {
             f.ddlMonth.ListIndex = 0;
             f.ddlMonth.ListIndex = 0;
         },
         {"ddlMonth.Click", "ddlMonth.Click"}},
        {"text box Text raises Change when it differs", nullptr, [](SampleForm& f) { f.txtLeft.Text = "12"; },
         {"txtLeft.Change"}},
        {"text box Text set to the text it has raises nothing", [](SampleForm& f) { f.txtLeft.Text = "12"; },
         [](SampleForm& f) { f.txtLeft.Text = "12"; }, {}},
        {"text box WM_SETTEXT from outside raises Change like Text",
         nullptr, [](SampleForm& f) { SetWindowText(f.txtLeft.hWnd, "x"); }, {"txtLeft.Change"}},
        {"scroll bar Value raises Change when it differs", nullptr, [](SampleForm& f) { f.scrOpacity.Value = 100; },
         {"scrOpacity.Change"}},
        {"scroll bar Value set to the value it has raises nothing", nullptr,
         [](SampleForm& f) { f.scrOpacity.Value = 15; }, {}},
        {"scroll bar Value beyond Max is brought to Max", nullptr,
         [](SampleForm& f) {
             f.scrOpacity.Value = 300;
             f.scrOpacity.Value = 255;
         },
         {"scrOpacity.Change"}},
        {"scroll bar Min raised above Value moves Value, with Change", nullptr, [](SampleForm& f) { f.scrOpacity.Min = 20; },
         {"scrOpacity.Change"}},
    });
}

TEST_F(EventSemantics, ValuesEndWhereTheEventsSay) {
    Trace trace;
    SampleForm f(trace);
    f.optB.Value = true;
    f.optA.Value = true;
    EXPECT_TRUE(f.optA.Value);
    EXPECT_FALSE(f.optB.Value);
    f.scrOpacity.Value = 300;
    EXPECT_EQ(f.scrOpacity.Value, 255);
    f.scrOpacity.Value = -5;
    EXPECT_EQ(f.scrOpacity.Value, 15);
    f.chFlag.Value = 7;
    EXPECT_EQ(f.chFlag.Value, vbGrayed);
    f.lstItems.ListIndex = 2;
    EXPECT_EQ(std::string(f.lstItems.Text), "three");
    EXPECT_TRUE(f.lstItems.Selected(2));
    f.ddlMonth.ListIndex = 1;
    EXPECT_EQ(f.ddlMonth.Text, "February");
    EXPECT_THROW(f.ddlMonth.ListIndex = 3, Error);
    EXPECT_THROW(f.lstItems.ListIndex = -2, Error);
}

TEST_F(EventSemantics, UserActionsRaiseTheirEventsInOrder) {
    Run({
        {"a click on a button moves the focus first, so the box left runs LostFocus before Click",
         [](SampleForm& f) { f.txtLeft.SetFocus(); }, [](SampleForm& f) { Click(f.cmdCancel.hWnd); },
         {"txtLeft.LostFocus", "cmdCancel.GotFocus", "cmdCancel.MouseDown 1 0 555 180", "cmdCancel.MouseUp 1 0 555 180",
          "cmdCancel.Click"}},
        {"a press released outside the button is no click", [](SampleForm& f) { f.cmdOk.SetFocus(); },
         [](SampleForm& f) {
             POINT on = CentreOf(f.cmdOk.hWnd);
             POINT off{on.x + 200, on.y};
             InjectMouseButton(on, MouseButton::Left, true);
             Pump();  // the press takes the mouse before the move is aimed
             InjectMouseMove(off);
             InjectMouseButton(off, MouseButton::Left, false);
         },
         {"cmdOk.MouseDown 1 0 555 180", "cmdOk.MouseUp 1 0 3555 180"}},
        {"Enter presses the Default button and the focus stays in the box",
         [](SampleForm& f) { f.txtLeft.SetFocus(); }, [](SampleForm&) { Key(VK_RETURN, '\r'); },
         {"cmdOk.Click", "txtLeft.KeyUp 13 0"}},
        {"Esc presses the Cancel button and the focus stays in the box", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) { Key(VK_ESCAPE, 27); }, {"cmdCancel.Click", "txtLeft.KeyUp 27 0"}},
        {"Enter on a focused button presses that button", [](SampleForm& f) { f.cmdCancel.SetFocus(); },
         [](SampleForm&) { Key(VK_RETURN, '\r'); }, {"cmdCancel.Click", "cmdCancel.KeyUp 13 0"}},
        {"Space presses a focused button on its release", [](SampleForm& f) { f.cmdOk.SetFocus(); },
         [](SampleForm&) { Key(VK_SPACE, ' '); }, {"cmdOk.KeyDown 32 0", "cmdOk.KeyUp 32 0", "cmdOk.Click"}},
        {"a held Enter presses the Default button once", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) { HoldKey(VK_RETURN, '\r', 3); }, {"cmdOk.Click", "txtLeft.KeyUp 13 0"}},
        {"a held Enter or Space presses a focused button once", [](SampleForm& f) { f.cmdCancel.SetFocus(); },
         [](SampleForm&) {
             HoldKey(VK_RETURN, '\r', 3);
             HoldKey(VK_SPACE, ' ', 3);
         },
         {"cmdCancel.Click", "cmdCancel.KeyUp 13 0", "cmdCancel.KeyDown 32 0", "cmdCancel.KeyUp 32 0", "cmdCancel.Click"}},
        {"a held character key types with each repeat", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) { HoldKey('A', 'a', 1); },
         {"txtLeft.KeyDown 65 0", "txtLeft.Change", "txtLeft.KeyDown 65 0", "txtLeft.Change", "txtLeft.KeyUp 65 0"}},
        {"an arrow key reaches KeyDown", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) { Key(VK_RIGHT); }, {"txtLeft.KeyDown 39 0", "txtLeft.KeyUp 39 0"}},
        {"Shift, Ctrl and Alt give the shift masks 1, 2 and 4", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) {
             KeyWith(VK_SHIFT, VK_LEFT);
             KeyWith(VK_CONTROL, VK_LEFT);
             KeyWith(VK_MENU, VK_LEFT);
         },
         {"txtLeft.KeyDown 16 1", "txtLeft.KeyDown 37 1", "txtLeft.KeyUp 37 1", "txtLeft.KeyUp 16 0",
          "txtLeft.KeyDown 17 2", "txtLeft.KeyDown 37 2", "txtLeft.KeyUp 37 2", "txtLeft.KeyUp 17 0",
          "txtLeft.KeyDown 18 4", "txtLeft.KeyDown 37 4", "txtLeft.KeyUp 37 4", "txtLeft.KeyUp 18 0"}},
        {"typing raises Change for every character", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm&) { Type("ab"); },
         {"txtLeft.KeyDown 65 0", "txtLeft.Change", "txtLeft.KeyUp 65 0", "txtLeft.KeyDown 66 0", "txtLeft.Change",
          "txtLeft.KeyUp 66 0"}},
        {"a click on a check box toggles it and raises Click once", nullptr,
         [](SampleForm& f) { Click(f.chFlag.hWnd); },
         {"txtLeft.LostFocus", "chFlag.GotFocus", "chFlag.MouseDown 1 0 900 120", "chFlag.MouseUp 1 0 900 120", "chFlag.Click"}},
        {"a click on the selected option raises Click again", [](SampleForm& f) { f.optA.Value = true; },
         [](SampleForm& f) { Click(f.optA.hWnd); },
         {"txtLeft.LostFocus", "optA.GotFocus", "optA.MouseDown 1 0 900 120", "optA.MouseUp 1 0 900 120", "optA.Click"}},
        {"a click on a list item selects it with Click; on the same item no Click", nullptr,
         [](SampleForm& f) {
             RECT r;
             GetWindowRect(f.lstItems.hWnd, &r);
             ClickAt(POINT{r.left + 20, r.top + 3});
             ClickAt(POINT{r.left + 20, r.top + 3});
         },
         {"txtLeft.LostFocus", "lstItems.GotFocus", "lstItems.MouseDown 1 0 300 45", "lstItems.Click", "lstItems.MouseUp 1 0 300 45",
          "lstItems.MouseDown 1 0 300 45", "lstItems.MouseUp 1 0 300 45"}},
        {"Down in a combo box chooses the next item with Click", [](SampleForm& f) { f.ddlMonth.SetFocus(); },
         [](SampleForm&) { Key(VK_DOWN); }, {"ddlMonth.KeyDown 40 0", "ddlMonth.Click", "ddlMonth.KeyUp 40 0"}},
        {"the scroll bar's right arrow adds SmallChange with Change", nullptr,
         [](SampleForm& f) {
             RECT r;
             GetWindowRect(f.scrOpacity.hWnd, &r);
             ClickAt(POINT{r.right - 3, r.top + 3});
         },
         {"txtLeft.LostFocus", "scrOpacity.GotFocus", "scrOpacity.MouseDown 1 0 1455 45", "scrOpacity.Change", "scrOpacity.MouseUp 1 0 1455 45"}},
        {"a click on a windowless label raises its events and leaves the focus", [](SampleForm& f) { f.txtLeft.SetFocus(); },
         [](SampleForm& f) {
             RECT r = ClientRectOnScreen(f.hWnd);
             ClickAt(POINT{r.left + 15, r.top + 145});
         },
         {"lblInfo.MouseDown 1 0 75 75", "lblInfo.Click"}},
        {"a double-click on a label raises Click, then DblClick", nullptr,
         [](SampleForm& f) {
             RECT r = ClientRectOnScreen(f.hWnd);
             DoubleClickAt(POINT{r.left + 15, r.top + 145});
         },
         {"lblInfo.MouseDown 1 0 75 75", "lblInfo.Click", "lblInfo.DblClick"}},
    });
}

TEST_F(EventSemantics, ArrowKeysStillMoveTheCaretUnlessKeyDownStopsThem) {
    Trace trace;
    SampleForm f(trace);
    f.Show();
    f.txtLeft.Text = "abcd";
    f.txtLeft.SetFocus();
    f.txtLeft.SelStart = 1;
    Key(VK_RIGHT);
    EXPECT_EQ(f.txtLeft.SelStart, 2);
    Key(VK_UP);  // a single-line box takes Up as Left
    EXPECT_EQ(f.txtLeft.SelStart, 1);
    KeyWith(VK_SHIFT, VK_END);
    EXPECT_EQ(f.txtLeft.SelStart, 1);
    EXPECT_EQ(f.txtLeft.SelLength, 3);
    EXPECT_EQ(f.txtLeft.SelText, "bcd");
    f.keyDownStopsOn = VK_LEFT;
    Key(VK_LEFT);
    EXPECT_EQ(f.txtLeft.SelLength, 3) << "a KeyDown that sets KeyCode to 0 keeps the box from acting";
    EXPECT_EQ(f.ActiveControl(), &f.txtLeft);
}

TEST_F(EventSemantics, MouseCoordinatesCountInTheContainersScale) {
    Trace trace;
    SampleForm twips(trace);
    twips.Show();
    RECT r;
    GetWindowRect(twips.cmdOk.hWnd, &r);
    trace.Clear();
    ClickAt(POINT{r.left + 7, r.top + 4}, MouseButton::Right);
    EXPECT_EQ(trace.events, (Strings{"cmdOk.MouseDown 2 0 105 60", "cmdOk.MouseUp 2 0 105 60"}))
        << "a right click raises no Click and moves no focus";

    struct PixelForm : Form {
        PixelForm() : Form("frmPixels") {}
        Frame frmGroup{this, "frmGroup"};
        PictureBox pctPicture{this, "pctPicture"};
        Label lblInFrame{frmGroup, "lblInFrame"};
        std::vector<std::string> seen;
        void Design() override {
            BorderStyle = vbBSNone;
            ScaleMode = vbPixels;
            Move(0, 0, 6000, 4500);
            frmGroup.Move(10, 10, 150, 100);  // pixels: the form's scale
            lblInFrame.Move(300, 450, 1200, 300);  // twips: a frame's scale
            pctPicture.Move(200, 10, 100, 100);
            pctPicture.ScaleMode = vbPixels;
            pctPicture.BorderStyle = 0;
        }
        void Form_MouseDown(int b, int s, int x, int y) override { seen.push_back("form " + Args(b, s, x, y)); }
        static std::string Args(int b, int s, int x, int y) {
            return std::to_string(b) + " " + std::to_string(s) + " " + std::to_string(x) + " " + std::to_string(y);
        }
    } pixels;
    pixels.frmGroup.MouseDown = [&](int b, int s, int x, int y) { pixels.seen.push_back("frame " + PixelForm::Args(b, s, x, y)); };
    pixels.lblInFrame.MouseDown = [&](int b, int s, int x, int y) { pixels.seen.push_back("label " + PixelForm::Args(b, s, x, y)); };
    pixels.pctPicture.MouseDown = [&](int b, int s, int x, int y) { pixels.seen.push_back("picture " + PixelForm::Args(b, s, x, y)); };
    pixels.Show();
    RECT client = ClientRectOnScreen(pixels.hWnd);
    ClickAt(POINT{client.left + 5, client.top + 6});
    ClickAt(POINT{client.left + 10 + 3, client.top + 10 + 4});
    ClickAt(POINT{client.left + 10 + 20 + 1, client.top + 10 + 30 + 2});
    InjectKey(VK_SHIFT, true);
    ClickAt(POINT{client.left + 200 + 7, client.top + 10 + 9});
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(pixels.seen, (Strings{"form 1 0 5 6", "frame 1 0 45 60", "label 1 0 15 30", "picture 1 1 7 9"}));
    EXPECT_EQ(pixels.lblInFrame.Left, 300);
    EXPECT_EQ(pixels.frmGroup.Left, 10);
    EXPECT_EQ(pixels.ScaleWidth, 400);
    EXPECT_EQ(pixels.Width, 6000) << "a form's own size is twips whatever its scale";
}

}  // namespace
}  // namespace formtest
