// Controls: option groups per container, control arrays, the tab order, lists and drop-down
// lists, text boxes, menus and the names the window dump gives them.
#include "forms_test_support.h"
#include "platform/present/window_dump.h"
#include "platform/services/clipboard.h"
#include "platform/window/monitors.h"

namespace formtest {
namespace {

using Strings = std::vector<std::string>;

class ControlsTest : public FormsTest {};

// Options on the form and options in two frames: three groups.
struct GroupsForm : Form {
    GroupsForm() : Form("frmGroups") {}
    OptionButton optFloating{this, "optFloating"};
    OptionButton optSystray{this, "optSystray"};
    Frame frmLeft{this, "frmLeft"};
    OptionButton optLeft{frmLeft, "optLeft"};
    OptionButton optCenter{frmLeft, "optCenter"};
    Frame frmRight{this, "frmRight"};
    OptionButton optIn{frmRight, "optIn"};
    OptionButton optOut{frmRight, "optOut"};
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 6000, 4500);
        optFloating.Move(150, 150, 1500, 255);
        optSystray.Move(150, 450, 1500, 255);
        frmLeft.Move(150, 900, 2400, 1500);
        optLeft.Move(150, 300, 1500, 255);
        optCenter.Move(150, 600, 1500, 255);
        frmRight.Move(3000, 900, 2400, 1500);
        optIn.Move(150, 300, 1500, 255);
        optOut.Move(150, 600, 1500, 255);
    }
};

TEST_F(ControlsTest, OptionButtonsFormOneGroupPerContainer) {
    GroupsForm f;
    f.Show();
    f.optFloating.Value = true;
    f.optLeft.Value = true;
    f.optIn.Value = true;
    Click(f.optCenter.hWnd);
    EXPECT_TRUE(f.optCenter.Value);
    EXPECT_FALSE(f.optLeft.Value);
    EXPECT_TRUE(f.optFloating.Value) << "the form's group is apart from the frame's";
    EXPECT_TRUE(f.optIn.Value) << "each frame is a group of its own";
    f.optSystray.Value = true;
    EXPECT_FALSE(f.optFloating.Value);
    EXPECT_TRUE(f.optCenter.Value);
    // The arrow keys move through the group and select as they go.
    f.optSystray.SetFocus();
    Key(VK_UP);
    EXPECT_TRUE(f.optFloating.Value);
    EXPECT_EQ(GetFocus(), f.optFloating.hWnd);
    Key(VK_UP);  // around the group
    EXPECT_TRUE(f.optSystray.Value);
}

struct TabForm : Form {
    TabForm() : Form("frmTabs") {}
    TextBox txtA{this, "txtA"};
    TextBox txtB{this, "txtB"};
    CommandButton cmdC{this, "cmdC"};
    TextBox txtD{this, "txtD"};
    OptionButton optE{this, "optE"};
    OptionButton optF{this, "optF"};
    Frame frmBox{this, "frmBox"};
    TextBox txtInFrame{frmBox, "txtInFrame"};
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 6000, 4500);
        int y = 150;
        for (WindowedControl* c : std::initializer_list<WindowedControl*>{&txtA, &txtB, &cmdC, &txtD, &optE, &optF}) {
            c->Move(150, y, 1500, 300);
            y += 400;
        }
        frmBox.Move(3000, 150, 2400, 1500);
        txtInFrame.Move(150, 300, 1500, 300);
        // The tab order: D, C, A, then the rest as made.
        txtD.TabIndex = 0;
        cmdC.TabIndex = 1;
        txtA.TabIndex = 2;
    }
};

TEST_F(ControlsTest, TabFollowsTabIndexAndSkipsWhatCannotTakeTheFocus) {
    TabForm f;
    f.Show();
    EXPECT_EQ(GetFocus(), f.txtD.hWnd) << "a shown form focuses its first tab stop";
    EXPECT_EQ(f.txtD.TabIndex, 0);
    EXPECT_EQ(f.txtB.TabIndex, 3);
    f.optF.Value = true;
    f.txtB.Enabled = false;
    f.txtInFrame.TabStop = false;
    Strings order;
    auto name = [&] {
        for (Control* c : f.Controls())
            if (auto* w = dynamic_cast<WindowedControl*>(c); w && w->Window() == GetFocus()) return w->Name();
        return std::string("?");
    };
    for (int i = 0; i < 5; ++i) {
        Key(VK_TAB, '\t');
        order.push_back(name());
    }
    EXPECT_EQ(order, (Strings{"cmdC", "txtA", "optF", "txtD", "cmdC"}))
        << "disabled, TabStop False and unselected options of a group with a selection are passed";
    KeyWith(VK_SHIFT, VK_TAB);
    EXPECT_EQ(name(), "txtD");
    f.frmBox.Enabled = false;
    f.txtInFrame.TabStop = true;
    EXPECT_FALSE(f.txtInFrame.SetFocus()) << "a control in a disabled frame cannot take the focus";
    f.frmBox.Enabled = true;
    EXPECT_TRUE(f.txtInFrame.SetFocus());
    f.frmBox.Visible = false;
    EXPECT_FALSE(f.txtInFrame.SetFocus());
}

struct ArrayForm : Form {
    ArrayForm() : Form("frmMain") {
        Label.Click = [this](int Index) { clicked.push_back(Index); };
    }
    ControlArray<forms::Label> Label{this, "Label"};
    ControlArray<forms::TextBox> txtBox{this, "txtBox"};
    std::vector<int> clicked;
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 6000, 4500);
        Label.Load(0);
        Label(0).Caption = "<Loading>";
        Label(0).FontBold = true;
        Label(0).Move(0, 0, 1500, 300);
        txtBox.Load(0);
        txtBox(0).Move(150, 2000, 1500, 300);
    }
};

TEST_F(ControlsTest, ControlArraysLoadCopiesOfTheirFirstElementAndUnloadThem) {
    ArrayForm f;
    f.Show();
    EXPECT_EQ(f.Label.Count(), 1);
    f.Label.Load(1);
    f.Label.Load(2);
    EXPECT_EQ(f.Label.Count(), 3);
    EXPECT_EQ(f.Label.UBound(), 2);
    EXPECT_EQ(f.Label(2).Caption, "<Loading>") << "a new element copies the first element";
    EXPECT_TRUE(f.Label(2).FontBold);
    EXPECT_EQ(f.Label(2).Width, 1500);
    EXPECT_FALSE(f.Label(2).Visible) << "and starts hidden";
    EXPECT_EQ(f.Label(2).Index(), 2);
    f.Label(2).Move(0, 600);
    f.Label(2).Visible = true;
    RECT client = ClientRectOnScreen(f.hWnd);
    ClickAt(POINT{client.left + 5, client.top + 45});
    ClickAt(POINT{client.left + 5, client.top + 5});
    EXPECT_EQ(f.clicked, (std::vector<int>{2, 0})) << "array events carry the element's Index";
    EXPECT_THROW(f.Label.Load(2), Error);
    EXPECT_THROW(f.Label(5), Error);
    EXPECT_THROW(f.Label.Unload(0), Error) << "a design-time element stays";
    f.Label.Unload(1);
    EXPECT_EQ(f.Label.Count(), 2);
    EXPECT_FALSE(f.Label.Exists(1));
    EXPECT_EQ(f.Label.Indices(), (std::vector<int>{0, 2}));

    f.txtBox(0).Text = "copied";
    f.txtBox.Load(1);
    HWND second = f.txtBox(1).hWnd;
    EXPECT_TRUE(IsWindow(second));
    EXPECT_FALSE(IsWindowVisible(second));
    EXPECT_EQ(f.txtBox(1).Text, "copied");
    EXPECT_EQ(f.txtBox(1).TabIndex, 1) << "a new windowed element comes last in the tab order";
    f.txtBox.Unload(1);
    EXPECT_FALSE(IsWindow(second));

    f.Unload();
    EXPECT_EQ(f.Label.Count(), 1) << "a new load has the design elements only";
    EXPECT_EQ(f.Label(0).Caption, "<Loading>");
}

TEST_F(ControlsTest, TheWindowDumpNamesFormsAndControlsAndListsWindowlessOnes) {
    ArrayForm f;
    f.Show();
    f.Label.Load(1);
    f.Label(1).Caption = "12:00";
    f.Label(1).Move(0, 450);
    f.txtBox.Load(3);
    std::string dump = WindowDumpJsonLines();
    EXPECT_NE(dump.find("\"name\":\"frmMain\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"name\":\"txtBox(3)\""), std::string::npos) << dump;
    EXPECT_NE(dump.find("\"name\":\"txtBox(0)\""), std::string::npos) << dump;
    RECT client = ClientRectOnScreen(f.hWnd);
    std::string label1 = "\"class\":\"Label\",\"name\":\"Label(1)\",\"text\":\"12:00\",\"rect\":[" +
                         std::to_string(client.left) + "," + std::to_string(client.top + 30) + "," +
                         std::to_string(client.left + 100) + "," + std::to_string(client.top + 50) + "],\"visible\":false";
    EXPECT_NE(dump.find(label1), std::string::npos) << dump;
}

struct ListForm : Form {
    ListForm() : Form("frmLists") {
        lstLabels.Click = [this] { ++listClicks; };
        ddlClass.Click = [this] { ++comboClicks; };
    }
    ListBox lstLabels{this, "lstLabels"};
    ListBox lstSimple{this, "lstSimple"};
    ComboBox ddlClass{this, "ddlClass"};
    int listClicks = 0;
    int comboClicks = 0;
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 9000, 6000);
        lstLabels.Move(150, 150, 2250, 1500);
        lstLabels.MultiSelect = vbMultiSelectExtended;
        lstSimple.Move(2700, 150, 2250, 1500);
        lstSimple.MultiSelect = vbMultiSelectSimple;
        ddlClass.Move(150, 3000, 2250, 315);
        for (const char* c : {"Time and date", "Tooltip", "Clipboard"}) ddlClass.AddItem(c);
    }
    POINT ItemPoint(ListBox& list, int index) {
        RECT r;
        GetWindowRect(list.hWnd, &r);
        return POINT{r.left + 10, r.top + 1 + index * LineHeight(FontDescription{}) + 3};
    }
};

TEST_F(ControlsTest, ListBoxesKeepItemDataAndSelectByTheirMultiSelectRules) {
    ListForm f;
    f.Show();
    for (int i = 0; i < 5; ++i) {
        f.lstLabels.AddItem("label " + std::to_string(i));
        f.lstLabels.ItemData(f.lstLabels.NewIndex) = 10 + i;
    }
    EXPECT_EQ(f.lstLabels.ListCount, 5);
    EXPECT_EQ(f.lstLabels.ItemData(3), 13);
    EXPECT_EQ(f.lstLabels.List(3), "label 3");
    EXPECT_EQ(f.lstLabels.List(9), "") << "an item beyond the list reads as empty text";
    EXPECT_THROW(f.lstLabels.ItemData(9) = 1, Error);

    ClickAt(f.ItemPoint(f.lstLabels, 1));
    InjectKey(VK_CONTROL, true);
    ClickAt(f.ItemPoint(f.lstLabels, 3));
    InjectKey(VK_CONTROL, false);
    EXPECT_EQ(f.lstLabels.SelCount, 2);
    EXPECT_TRUE(f.lstLabels.Selected(1));
    EXPECT_TRUE(f.lstLabels.Selected(3));
    EXPECT_EQ(f.lstLabels.ListIndex, 3);
    InjectKey(VK_SHIFT, true);
    ClickAt(f.ItemPoint(f.lstLabels, 0));
    InjectKey(VK_SHIFT, false);
    Pump();
    EXPECT_EQ(f.lstLabels.SelCount, 4) << "Shift selects from the anchor to the item";
    ClickAt(f.ItemPoint(f.lstLabels, 4));
    EXPECT_EQ(f.lstLabels.SelCount, 1) << "a plain click selects the one item";
    EXPECT_EQ(f.listClicks, 4);

    // Removing items keeps ListIndex on the same item, or clears it with the item.
    f.lstLabels.RemoveItem(0);
    EXPECT_EQ(f.lstLabels.ListIndex, 3);
    EXPECT_EQ(f.lstLabels.ItemData(f.lstLabels.ListIndex), 14);
    f.lstLabels.RemoveItem(3);
    EXPECT_EQ(f.lstLabels.ListIndex, -1);
    // In a multi-select list ListIndex is the current item, which need not be selected.
    f.lstLabels.ListIndex = 1;
    EXPECT_FALSE(f.lstLabels.Selected(1));
    f.lstLabels.Selected(1) = true;
    EXPECT_EQ(f.lstLabels.SelCount, 1);
    f.lstLabels.Clear();
    EXPECT_EQ(f.lstLabels.ListCount, 0);
    EXPECT_EQ(f.lstLabels.ListIndex, -1);

    for (const char* item : {"a", "b", "c"}) f.lstSimple.AddItem(item);
    f.lstSimple.SetFocus();
    Key(VK_DOWN);
    Key(VK_SPACE, ' ');
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_SPACE, ' ');
    EXPECT_TRUE(f.lstSimple.Selected(0));
    EXPECT_FALSE(f.lstSimple.Selected(1));
    EXPECT_TRUE(f.lstSimple.Selected(2));
    ClickAt(f.ItemPoint(f.lstSimple, 2));
    EXPECT_FALSE(f.lstSimple.Selected(2)) << "a click toggles an item of a simple multi-select list";
}

TEST_F(ControlsTest, ADropDownListIsChosenFromWithTheMouseOrTheKeys) {
    ListForm f;
    f.Show();
    f.ddlClass.SetFocus();
    Click(f.ddlClass.hWnd);
    ASSERT_TRUE(f.ddlClass.IsDroppedDown());
    RECT combo;
    GetWindowRect(f.ddlClass.hWnd, &combo);
    int rowHeight = LineHeight(FontDescription{});
    POINT second{combo.left + 10, combo.bottom + 1 + rowHeight + 3};
    InjectMouseMove(second);
    Pump();
    ClickAt(second);
    EXPECT_FALSE(f.ddlClass.IsDroppedDown());
    EXPECT_EQ(f.ddlClass.ListIndex, 1);
    EXPECT_EQ(f.ddlClass.Text, "Tooltip");
    EXPECT_EQ(f.comboClicks, 1);

    // Open with F4, move, and leave with Esc: nothing chosen. Enter chooses.
    Key(VK_F4);
    EXPECT_TRUE(f.ddlClass.IsDroppedDown());
    Key(VK_DOWN);
    Key(VK_ESCAPE, 27);
    EXPECT_FALSE(f.ddlClass.IsDroppedDown());
    EXPECT_EQ(f.ddlClass.ListIndex, 1);
    EXPECT_TRUE(f.IsLoaded());
    KeyWith(VK_MENU, VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN, '\r');
    EXPECT_EQ(f.ddlClass.ListIndex, 2);
    EXPECT_EQ(f.comboClicks, 2);
    // A press outside closes the list without a choice; a letter chooses by the first character.
    Click(f.ddlClass.hWnd);
    ClickAt(POINT{combo.left - 5, combo.top - 5});
    EXPECT_FALSE(f.ddlClass.IsDroppedDown());
    Key('T', 't');
    EXPECT_EQ(f.ddlClass.ListIndex, 0);
    EXPECT_EQ(f.comboClicks, 3);

    // An item wider than the box widens the list that drops, which stays on the screen.
    const std::string longItem = "Time and date, to the second, with the name of the day";
    f.ddlClass.AddItem(longItem);
    for (int formLeft : {0, GetSystemMetrics(SM_CXSCREEN) * 15 - 3000}) {
        f.Left = formLeft;
        Pump();
        GetWindowRect(f.ddlClass.hWnd, &combo);
        Key(VK_F4);
        ASSERT_TRUE(f.ddlClass.IsDroppedDown());
        RECT list;
        GetWindowRect(WindowFromPoint(POINT{combo.right - 5, combo.bottom + 3}), &list);
        EXPECT_GE(list.width(), MeasureText(FontDescription{}, longItem).cx + 6);
        EXPECT_LE(list.right, GetSystemMetrics(SM_CXSCREEN));
        EXPECT_LE(list.left, combo.left);
        Key(VK_ESCAPE, 27);
    }
}

struct BoxForm : Form {
    BoxForm() : Form("frmBoxes") {
        txtText.Change = [this] { ++changes; };
        cmdOk.Click = [this] { ++okClicks; };
    }
    TextBox txtText{this, "txtText"};
    TextBox txtPassword{this, "txtPassword"};
    TextBox txtShort{this, "txtShort"};
    CommandButton cmdOk{this, "cmdOk"};
    int changes = 0;
    int okClicks = 0;
    bool withDefault = false;
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 9000, 6000);
        txtText.Move(150, 150, 3000, 1500);
        txtText.MultiLine = true;
        txtText.ScrollBars = vbVertical;
        txtPassword.Move(150, 1800, 3000, 315);
        txtPassword.PasswordChar = "*";
        txtShort.Move(150, 2400, 3000, 315);
        txtShort.MaxLength = 3;
        cmdOk.Move(4500, 150, 1200, 375);
        cmdOk.Default = withDefault;
    }
};

TEST_F(ControlsTest, TextBoxesEditByTheirRules) {
    BoxForm f;
    f.Show();
    f.txtText.SetFocus();
    Type("ab");
    Key(VK_RETURN, '\r');
    Type("c");
    EXPECT_EQ(f.txtText.Text, "ab\r\nc") << "Enter breaks the line of a multi-line box without a Default button";
    EXPECT_EQ(f.changes, 4);
    Key(VK_LEFT);
    Key(VK_LEFT);  // over the line break in one step
    EXPECT_EQ(f.txtText.SelStart, 2);
    Key(VK_DOWN);
    EXPECT_EQ(f.txtText.SelStart, 5);
    Key(VK_HOME);
    Key(VK_BACK, 8);
    EXPECT_EQ(f.txtText.Text, "abc") << "Backspace takes the whole line break";
    EXPECT_THROW(f.txtText.MultiLine = false, Error) << "MultiLine is a design-time property";

    f.txtShort.SetFocus();
    Type("12345");
    EXPECT_EQ(f.txtShort.Text, "123") << "typing stops at MaxLength";
    f.txtShort.Text = "123456";
    EXPECT_EQ(f.txtShort.Text, "123456") << "code is not held to MaxLength";
    f.txtShort.SelStart = 1;
    f.txtShort.SelLength = 2;
    EXPECT_EQ(f.txtShort.SelText, "23");
    f.txtShort.SelText = "x";
    EXPECT_EQ(f.txtShort.Text, "1x456");
    f.txtShort.SelStart = 99;
    EXPECT_EQ(f.txtShort.SelStart, 5);

    f.txtPassword.Text = "secret";
    EXPECT_EQ(f.txtPassword.Text, "secret") << "the mask is only shown";
    EXPECT_EQ(GetWindowTextString(f.txtPassword.hWnd), "secret");

    BoxForm g;
    g.withDefault = true;
    g.Show();
    g.txtText.SetFocus();
    Type("a");
    Key(VK_RETURN, '\r');
    EXPECT_EQ(g.txtText.Text, "a") << "with a Default button Enter presses it";
    EXPECT_EQ(g.okClicks, 1);
}

// Ctrl+V and Shift+Insert paste the clipboard's text: a one-line box up to the first line break, a
// multi-line one with its breaks as CR LF; other control characters but tabs are left out.
TEST_F(ControlsTest, TextBoxesPasteTheClipboardsText) {
    BoxForm f;
    f.Show();
    ASSERT_TRUE(UseService<Clipboard>().SetText("one\ttwo\nthree\x01\r\nfour"));
    f.txtText.SetFocus();
    KeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(f.txtText.Text, "one\ttwo\r\nthree\r\nfour");
    f.txtPassword.SetFocus();
    KeyWith(VK_SHIFT, VK_INSERT);
    EXPECT_EQ(f.txtPassword.Text, "one\ttwo");
    f.txtShort.SetFocus();
    KeyWith(VK_CONTROL, 'V');
    EXPECT_EQ(f.txtShort.Text, "one") << "no more than MaxLength";
}

// Ctrl+C and Ctrl+Insert copy the selection, Ctrl+X and Shift+Delete cut it; a password box hands
// nothing out, and Shift+Delete with nothing selected deletes as Delete does.
TEST_F(ControlsTest, TextBoxesCopyAndCutTheirSelection) {
    BoxForm f;
    f.Show();
    Clipboard& clipboard = UseService<Clipboard>();
    f.txtText.SetFocus();
    Type("alpha beta");
    f.txtText.SelStart = 6;
    f.txtText.SelLength = 4;
    KeyWith(VK_CONTROL, 'C');
    EXPECT_EQ(clipboard.Text(), "beta");
    f.txtText.SelStart = 0;
    f.txtText.SelLength = 5;
    KeyWith(VK_CONTROL, VK_INSERT);
    EXPECT_EQ(clipboard.Text(), "alpha");
    EXPECT_EQ(f.txtText.Text, "alpha beta") << "a copy leaves the text";
    KeyWith(VK_CONTROL, 'X');
    EXPECT_EQ(f.txtText.Text, " beta");
    f.txtText.SelStart = 1;
    f.txtText.SelLength = 2;
    KeyWith(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(clipboard.Text(), "be");
    EXPECT_EQ(f.txtText.Text, " ta");
    KeyWith(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(f.txtText.Text, " a") << "nothing selected: the next character goes, the clipboard stays";
    EXPECT_EQ(clipboard.Text(), "be");

    f.txtPassword.SetFocus();
    f.txtPassword.Text = "secret";
    f.txtPassword.SelStart = 0;
    f.txtPassword.SelLength = 6;
    KeyWith(VK_CONTROL, 'C');
    KeyWith(VK_CONTROL, 'X');
    KeyWith(VK_SHIFT, VK_DELETE);
    EXPECT_EQ(clipboard.Text(), "be") << "a password box hands nothing out";
    EXPECT_EQ(f.txtPassword.Text, "secret");
}

// A double click selects the word (a number) under the pointer, so that typing replaces it, and a
// password box its whole hidden text; Ctrl+A selects everything.
TEST_F(ControlsTest, TextBoxesSelectAWordByADoubleClickAndEverythingByCtrlA) {
    BoxForm f;
    f.Show();
    f.txtShort.Alignment = vbCenter;
    f.txtShort.Text = "49";
    DoubleClickAt(CentreOf(f.txtShort.hWnd));
    Type("52");
    EXPECT_EQ(f.txtShort.Text, "52");
    f.txtPassword.Text = "two words";
    DoubleClickAt(CentreOf(f.txtPassword.hWnd));
    EXPECT_EQ(f.txtPassword.SelLength, 9);
    f.txtText.SetFocus();
    Type("alpha beta");
    KeyWith(VK_CONTROL, 'A');
    EXPECT_EQ(f.txtText.SelText, "alpha beta");
}

// What the user selects goes to the middle button of every program, not to the clipboard, and a
// middle click pastes the text last selected where it presses; a password box hands nothing out.
TEST_F(ControlsTest, TextBoxesOfferTheirSelectionToTheMiddleButton) {
    BoxForm f;
    f.Show();
    Clipboard& clipboard = UseService<Clipboard>();
    f.txtShort.Text = "49";
    DoubleClickAt(CentreOf(f.txtShort.hWnd));
    EXPECT_EQ(clipboard.Text(Clipboard::Selection::Primary), "49");
    EXPECT_EQ(clipboard.Text(), "");
    f.txtText.SetFocus();
    Type("ab");
    KeyWith(VK_SHIFT, VK_LEFT);
    EXPECT_EQ(clipboard.Text(Clipboard::Selection::Primary), "b");
    f.txtPassword.Text = "secret";
    f.txtPassword.SetFocus();
    KeyWith(VK_CONTROL, 'A');
    EXPECT_EQ(clipboard.Text(Clipboard::Selection::Primary), "b");
    ASSERT_TRUE(clipboard.SetText(Clipboard::Selection::Primary, "x\ny"));
    f.txtShort.Text = "";
    ClickAt(CentreOf(f.txtShort.hWnd), MouseButton::Middle);
    EXPECT_TRUE(f.txtShort.HasFocus());
    EXPECT_EQ(f.txtShort.Text, "x") << "pasted by the rules of a paste";
}

struct MenuHost : Form {
    MenuHost() : Form("frmMenuHost") {
        for (Menu* m : {&mncSettings, &mncAlarms, &mncNull, &mncExit}) m->Click = [this, m] { chosen.push_back(m->Name()); };
    }
    Menu mnuMain{this, "mnuMain"};
    Menu mncSettings{mnuMain, "mncSettings"};
    Menu mncAlarms{mnuMain, "mncAlarms"};
    Menu mncNull{mnuMain, "mncNull"};
    Menu mncExit{mnuMain, "mncExit"};
    Strings chosen;
    void Design() override {
        mnuMain.Caption = "OZR Ruriv &Options";
        mncSettings.Caption = "Program &Settings";
        mncSettings.Shortcut = "F2";
        mncAlarms.Caption = "&Alarm Settings";
        mncAlarms.Enabled = false;
        mncNull.Caption = std::string(21, '_');
        mncExit.Caption = "E&xit OZR Ruriv";
    }
};

TEST_F(ControlsTest, PopupMenusRunTheChosenItemsClickBeforeReturning) {
    MenuHost host;
    TabForm clock;
    clock.Show();
    SetCursorPos(300, 300);

    QueueKey(VK_DOWN);
    QueueKey(VK_RETURN, '\r');
    clock.PopupMenu(host.mnuMain);
    EXPECT_EQ(host.chosen, (Strings{"mncSettings"}));
    EXPECT_FALSE(host.Visible) << "the menu's own form stays hidden";
    EXPECT_EQ(GetFocus(), clock.txtD.hWnd) << "the keys went to the menu, not the focused box";
    EXPECT_EQ(clock.txtD.Text, "");

    QueueKey('X', 'x');  // the access key
    clock.PopupMenu(host.mnuMain);
    QueueKey('A', 'a');  // a disabled item is not chosen; Esc closes
    QueueKey(VK_ESCAPE, 27);
    clock.PopupMenu(host.mnuMain);
    host.mncExit.Visible = false;
    QueueKey(VK_END);
    QueueKey(VK_RETURN, '\r');
    clock.PopupMenu(host.mnuMain);
    EXPECT_EQ(host.chosen, (Strings{"mncSettings", "mncExit", "mncNull"})) << "a hidden item is not in the menu";
    Pump();

    // With the mouse: a release on an item chooses it. A timer of the loop does the clicking,
    // since the menu is only there while PopupMenu runs.
    static auto clickSecondRow = [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        RECT r;
        GetWindowRect(GetCapture(), &r);
        POINT onSecondRow{r.left + 30, r.top + 2 + (LineHeight(FontDescription{"Arial", 9}) + 6) + 5};
        InjectMouseMove(onSecondRow);
        InjectMouseButton(onSecondRow, MouseButton::Left, true);
        InjectMouseButton(onSecondRow, MouseButton::Left, false);
    };
    SetTimer(HWND{}, 0, 50, clickSecondRow);
    host.mncAlarms.Enabled = true;
    clock.PopupMenu(host.mnuMain);
    EXPECT_EQ(host.chosen.back(), "mncAlarms");

    // At the right edge of a second monitor the menu stays on that monitor, pulled back from its edge.
    SetMonitorLayout({RECT{0, 0, 1280, 1024}, RECT{1280, 0, 2560, 1024}}, 0);
    SetCursorPos(2550, 300);
    static RECT opened;
    static auto readAndClose = [](HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(HWND{}, id);
        GetWindowRect(GetCapture(), &opened);
        InjectKey(VK_ESCAPE, true, 27);
        InjectKey(VK_ESCAPE, false);
    };
    SetTimer(HWND{}, 0, 50, readAndClose);
    clock.PopupMenu(host.mnuMain);
    EXPECT_EQ(opened.right, 2560);
    SetMonitorLayout({RECT{0, 0, 1280, 1024}}, 0);
}

struct AutoSizeForm : Form {
    AutoSizeForm() : Form("frmMain") {}
    forms::Label lblLeft{this, "lblLeft"};
    forms::Label lblCentre{this, "lblCentre"};
    forms::Label lblRight{this, "lblRight"};
    forms::Label lblWrap{this, "lblWrap"};
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 9000, 6000);
        int y = 0;
        for (forms::Label* l : {&lblLeft, &lblCentre, &lblRight}) {
            l->Move(1500, y, 3000, 300);
            y += 450;
        }
        lblCentre.Alignment = vbCenter;
        lblRight.Alignment = vbRightJustify;
        lblWrap.Move(0, 3000, 1500, 300);
    }
};

TEST_F(ControlsTest, AutoSizeFitsALabelToItsTextAboutItsAlignment) {
    AutoSizeForm f;
    f.Show();
    FontDescription font;
    font.name = "Arial";
    font.size = 12;
    font.bold = true;
    int textWidth = PixelsToTwips(MeasureText(font, "12:34:56").cx);
    ASSERT_GT(textWidth, 600);
    for (forms::Label* l : {&f.lblLeft, &f.lblCentre, &f.lblRight}) {
        l->FontSize = 12;
        l->FontBold = true;
        l->Caption = "12:34:56";
        l->AutoSize = true;
        EXPECT_EQ(l->Width, textWidth) << l->Name();
        EXPECT_EQ(l->Height, PixelsToTwips(LineHeight(font))) << l->Name();
    }
    EXPECT_EQ(f.lblLeft.Left, 1500);
    EXPECT_EQ(f.lblCentre.Left + f.lblCentre.Width / 2, 3000) << "a centred label shrinks about its centre";
    EXPECT_EQ(f.lblRight.Left + f.lblRight.Width, 4500) << "a right-aligned one towards its right edge";
    f.lblLeft.AutoSize = false;
    f.lblLeft.Caption = "a much longer text than before";
    EXPECT_EQ(f.lblLeft.Width, textWidth) << "without AutoSize the label keeps its size";

    f.lblWrap.WordWrap = true;
    f.lblWrap.Caption = "one two three four five six seven eight nine ten";
    f.lblWrap.AutoSize = true;
    EXPECT_EQ(f.lblWrap.Width, 1500);
    EXPECT_GE(f.lblWrap.Height, 3 * PixelsToTwips(LineHeight(FontDescription{}))) << "WordWrap grows the height";
}

struct IntroForm : Form {
    IntroForm() : Form("frmIntro") {
        OZR_HANDLE(optSystray, Click);
        OZR_HANDLE(cmdNext, Click);
        OZR_HANDLE(txtName, LostFocus);
    }
    TextBox txtName{this, "txtName"};
    OptionButton optSystray{this, "optSystray"};
    OptionButton optFloating{this, "optFloating"};
    CommandButton cmdNext{this, "cmdNext"};
    Strings events;
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 6000, 4500);
        txtName.Move(150, 150, 1500, 315);
        optSystray.Move(150, 600, 1800, 255);
        optSystray.Caption = "&Systray Ruriv";
        optFloating.Move(150, 900, 1800, 255);
        optFloating.Caption = "&Floating Ruriv";
        cmdNext.Move(150, 1350, 1200, 375);
        cmdNext.Caption = "S&tart >>";
    }
    void optSystray_Click() { events.push_back("optSystray_Click"); }
    void cmdNext_Click() { events.push_back("cmdNext_Click"); }
    void txtName_LostFocus() { events.push_back("txtName_LostFocus"); }
};

TEST_F(ControlsTest, AltAndAnAccessKeyActLikeAClickOnTheControl) {
    IntroForm f;
    f.Show();
    ASSERT_EQ(GetFocus(), f.txtName.hWnd);
    KeyWith(VK_MENU, 'S');
    EXPECT_TRUE(f.optSystray.Value);
    KeyWith(VK_MENU, 'T');
    KeyWith(VK_MENU, 'Q');  // no control has it
    EXPECT_EQ(f.events, (Strings{"txtName_LostFocus", "optSystray_Click", "cmdNext_Click"}));
    EXPECT_EQ(GetFocus(), f.cmdNext.hWnd);
    EXPECT_EQ(f.txtName.Text, "") << "the access key typed nothing";
}

TEST_F(ControlsTest, ALabelShowsAmpersandsByUseMnemonic) {
    AutoSizeForm f;
    f.lblLeft.Caption = "Tea && Time";
    f.lblLeft.AutoSize = true;
    int withMnemonics = f.lblLeft.Width;
    f.lblLeft.UseMnemonic = false;
    EXPECT_GT(f.lblLeft.Width, withMnemonics) << "without mnemonics both ampersands show";
    EXPECT_EQ(f.lblLeft.Width, PixelsToTwips(MeasureText(FontDescription{}, "Tea && Time").cx));
}

// The clock subclasses windows of its forms (the main window its own) and sends them messages.
LONG g_oldProc = 0;
std::vector<UINT> g_seen;
constexpr UINT WM_CLOCKNOTIFY = 0x2473;
LRESULT SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CLOCKNOTIFY) {
        g_seen.push_back(msg);
        return 77;
    }
    if (msg == WM_KEYDOWN) g_seen.push_back(msg);
    return CallWindowProc(g_oldProc, hwnd, msg, wParam, lParam);
}

TEST_F(ControlsTest, FormsAndControlsWorkWhenTheirWindowsAreSubclassed) {
    BoxForm f;
    f.Show();
    g_oldProc = SetWindowLong(f.hWnd, GWL_WNDPROC, AddressOf(SubclassProc));
    EXPECT_EQ(SendMessage(f.hWnd, WM_CLOCKNOTIFY, 1, 0), 77);
    f.txtShort.SetFocus();
    LONG formProc = g_oldProc;
    g_oldProc = SetWindowLong(f.txtShort.hWnd, GWL_WNDPROC, AddressOf(SubclassProc));
    Type("ab");
    EXPECT_EQ(f.txtShort.Text, "ab") << "the box still edits through the procedure it passes messages to";
    EXPECT_EQ(g_seen, (std::vector<UINT>{WM_CLOCKNOTIFY, WM_KEYDOWN, WM_KEYDOWN}));
    SetWindowText(f.txtShort.hWnd, "via the window");
    EXPECT_EQ(f.txtShort.Text, "via the window");
    SetWindowLong(f.txtShort.hWnd, GWL_WNDPROC, g_oldProc);
    SetWindowLong(f.hWnd, GWL_WNDPROC, formProc);
    f.Unload();
    EXPECT_FALSE(f.IsLoaded());
}

}  // namespace
}  // namespace formtest
