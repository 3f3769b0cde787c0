// Forms over their life: load on first reference, design values on every load, fields kept across
// unloads, Unload(Cancel), modal forms inside modal forms with timers running, activation,
// start-up positions and re-parenting into another form.
#include "forms_test_support.h"
#include "platform/window/screen.h"

namespace formtest {
namespace {

using Strings = std::vector<std::string>;

class PageForm : public Form {
public:
    PageForm() : Form("frmPage") {}
    Label lblTitle{this, "lblTitle"};
    TextBox txtName{this, "txtName"};
    CheckBox chOn{this, "chOn"};
    Timer Focuser{this, "Focuser"};

    int loads = 0;
    int unloads = 0;
    int cancelUnload = 0;
    std::string remembered;  // a form-level field that only this code sets
    Strings events;

protected:
    void Design() override {
        BorderStyle = vbBSNone;
        Move(0, 0, 3000, 1500);
        lblTitle.Caption = "Title";
        txtName.Move(150, 150, 1500, 315);
        txtName.Text = "design";
        chOn.Move(150, 600, 1500, 255);
        Focuser.Interval = 1;
    }
    void Form_Load() override {
        ++loads;
        events.push_back("Load");
    }
    void Form_Unload(int& Cancel) override {
        ++unloads;
        events.push_back("Unload");
        Cancel = cancelUnload;
    }
    void Form_Activate() override { events.push_back("Activate"); }
};

class FormLifecycle : public FormsTest {};

TEST_F(FormLifecycle, TheFirstReferenceLoadsTheFormAndUnloadKeepsItsFields) {
    PageForm page;
    EXPECT_FALSE(page.IsLoaded());
    page.lblTitle.Caption = "changed";  // a control's property loads the form first
    EXPECT_TRUE(page.IsLoaded());
    EXPECT_EQ(page.loads, 1);
    EXPECT_TRUE(IsWindow(page.hWnd));
    EXPECT_FALSE(page.Visible) << "a loaded form is not shown until Show";
    page.remembered = "kept";
    page.txtName.Text = "typed";
    page.chOn.Value = vbChecked;
    HWND first = page.hWnd;

    EXPECT_TRUE(page.Unload());
    EXPECT_FALSE(page.IsLoaded());
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(page.remembered, "kept");

    // The next load starts the controls from their design values again.
    EXPECT_EQ(page.txtName.Text, "design");
    EXPECT_EQ(page.lblTitle.Caption, "Title");
    EXPECT_EQ(page.chOn.Value, vbUnchecked);
    EXPECT_EQ(page.loads, 2);
    EXPECT_NE(page.hWnd, first);
    EXPECT_EQ(page.remembered, "kept");
    EXPECT_EQ(page.events, (Strings{"Load", "Unload", "Load"}));
}

TEST_F(FormLifecycle, UnloadCanBeCancelledAndClosingTheWindowUnloads) {
    PageForm page;
    page.Show();
    page.cancelUnload = 1;
    EXPECT_FALSE(page.Unload());
    EXPECT_TRUE(page.IsLoaded());
    SendMessage(page.hWnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(page.IsLoaded());
    page.cancelUnload = 0;
    SendMessage(page.hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(page.IsLoaded());
    EXPECT_EQ(page.unloads, 3);
    // A window destroyed from outside unloads the form too; it can no longer cancel.
    page.Show();
    page.cancelUnload = 1;
    DestroyWindow(page.hWnd);
    EXPECT_FALSE(page.IsLoaded());
    EXPECT_EQ(page.unloads, 4);
    EXPECT_TRUE(std::find(Forms().begin(), Forms().end(), &page) == Forms().end());
}

TEST_F(FormLifecycle, ShowRaisesActivateOnceAndTimersRunOnlyWhileLoaded) {
    PageForm page;
    int ticks = 0;
    page.Focuser.Tick = [&] {
        ++ticks;
        page.Focuser.Enabled = false;  // a one-shot timer switches itself off
        page.txtName.SetFocus();
    };
    page.Show();
    page.Show();
    EXPECT_EQ(page.events, (Strings{"Load", "Activate"}));
    EXPECT_EQ(ActiveForm(), &page);
    RunFor(100);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(GetFocus(), page.txtName.hWnd);
    page.Focuser.Enabled = true;
    page.Unload();
    RunFor(100);
    EXPECT_EQ(ticks, 1) << "a timer does not outlive its form's load";
    EXPECT_EQ(ActiveForm(), nullptr);
}

// A modal form whose timer opens a second modal form; each closes itself by its own timer, while
// a timer of the form underneath keeps ticking all along.
class ModalForm : public Form {
public:
    ModalForm(const char* name, Strings& log) : Form(name), log_(log) {
        Ticker.Tick = [this] { Ticker_Timer(); };
        Closer.Tick = [this] { Closer_Timer(); };
    }
    Timer Ticker{this, "Ticker"};
    Timer Closer{this, "Closer"};
    CommandButton cmdOk{this, "cmdOk"};
    ModalForm* child = nullptr;
    int closeAfterMs = 0;
    int ticks = 0;

protected:
    void Design() override {
        Ticker.Interval = 100;
        Closer.Interval = closeAfterMs;
        StartUpPosition = vbStartUpScreen;
        Move(0, 0, 3000, 2250);
    }
    void Form_Load() override { log_.push_back(Name() + " load"); }

private:
    void Ticker_Timer() {
        ++ticks;
        if (child && ticks == 2) {
            log_.push_back(Name() + " opens " + child->Name());
            child->Show(vbModal, this);
            log_.push_back(Name() + " resumes");
        }
    }
    void Closer_Timer() {
        log_.push_back(Name() + " closes");
        Unload();
    }
    Strings& log_;
};

TEST_F(FormLifecycle, ModalFormsNestWithTimersRunning) {
    Strings log;
    ModalForm main("frmMain", log), outer("frmOuter", log), inner("frmInner", log);
    main.Show();
    outer.child = &inner;
    outer.closeAfterMs = 1100;
    inner.closeAfterMs = 400;
    std::int64_t start = CurrentClock().MonotonicMs();
    outer.Show(vbModal, &main);
    std::int64_t elapsed = CurrentClock().MonotonicMs() - start;

    EXPECT_EQ(log, (Strings{"frmMain load", "frmOuter load", "frmOuter opens frmInner", "frmInner load", "frmInner closes",
                            "frmOuter resumes", "frmOuter closes"}));
    EXPECT_EQ(elapsed, 1100);
    EXPECT_EQ(main.ticks, 11) << "the form under the modal forms kept its timer";
    EXPECT_GE(inner.ticks, 3);
    EXPECT_TRUE(main.Enabled) << "the forms disabled for the modal time are enabled again";
    EXPECT_EQ(GetActiveWindow(), main.hWnd);
}

TEST_F(FormLifecycle, OtherFormsTakeNoInputWhileAModalFormIsShown) {
    Strings log;
    ModalForm main("frmMain", log), dialog("frmDialog", log);
    int mainClicks = 0;
    main.cmdOk.Click = [&] { ++mainClicks; };
    main.Show();
    main.Move(0, 0);  // apart from the dialog, which is centred on the screen
    main.cmdOk.Move(150, 150, 1200, 375);
    dialog.closeAfterMs = 2000;
    dialog.Ticker.Tick = [&] {
        if (++dialog.ticks != 1) return;
        EXPECT_FALSE(main.Enabled);
        Click(main.cmdOk.hWnd);
        Key(VK_RETURN, '\r');
    };
    dialog.cmdOk.Default = true;
    int dialogClicks = 0;
    dialog.cmdOk.Click = [&] { ++dialogClicks; };
    dialog.Show(vbModal);
    EXPECT_EQ(mainClicks, 0);
    EXPECT_EQ(dialogClicks, 1) << "the keys went to the modal form";
    Click(main.cmdOk.hWnd);
    EXPECT_EQ(mainClicks, 1);
}

TEST_F(FormLifecycle, ModalShowReturnsWhenTheFormHides) {
    Strings log;
    ModalForm dialog("frmDialog", log);
    dialog.Ticker.Tick = [&] { dialog.Hide(); };
    dialog.Show(vbModal);
    EXPECT_TRUE(dialog.IsLoaded());
    EXPECT_FALSE(dialog.Visible);
}

TEST_F(FormLifecycle, StartUpPositionsCentreOnTheScreenOrTheOwner) {
    struct Placed : Form {
        Placed(const char* name, int position) : Form(name), position_(position) {}
        void Design() override {
            BorderStyle = vbBSNone;
            StartUpPosition = position_;
            Move(1500, 1500, 3000, 1500);  // 200 x 100 pixels
        }
        int position_;
    };
    Placed owner("frmOwner", vbStartUpManual), onScreen("frmScreen", vbStartUpScreen), onOwner("frmOnOwner", vbStartUpOwner);
    owner.Show();
    onScreen.Show();
    onOwner.Show(vbModeless, &owner);
    SIZE screen = ScreenSize();
    EXPECT_EQ(owner.Left, 1500);
    EXPECT_EQ(onScreen.Left, PixelsToTwips((screen.cx - 200) / 2));
    EXPECT_EQ(onScreen.Top, PixelsToTwips((screen.cy - 100) / 2));
    EXPECT_EQ(onOwner.Left, 1500);
    EXPECT_EQ(onOwner.Top, 1500);
    EXPECT_THROW(onOwner.StartUpPosition = vbStartUpScreen, Error) << "a design-time property on a loaded form";
}

TEST_F(FormLifecycle, AFormMadeAChildOfAnotherPlacesItselfInTwipsOfItsHost) {
    struct Host : Form {
        Host() : Form("frmSeti") {}
        Frame frmDesc{this, "frmDesc"};
        void Design() override {
            BorderStyle = vbBSNone;
            ScaleMode = vbPixels;
            Move(3000, 3000, 9300, 6900);
            frmDesc.Move(220, 27, 398, 431);
        }
    } host;
    PageForm page;
    host.Show();
    page.Load();
    page.Left = host.frmDesc.Left * 15;
    page.Top = host.frmDesc.Top * 15;
    SetParent(page.hWnd, host.hWnd);
    page.Show();
    RECT pageRect, hostClient = ClientRectOnScreen(host.hWnd);
    GetWindowRect(page.hWnd, &pageRect);
    EXPECT_EQ(pageRect.left - hostClient.left, 220);
    EXPECT_EQ(pageRect.top - hostClient.top, 27);
    EXPECT_EQ(page.Left, 3300);
    EXPECT_EQ(page.events, (Strings{"Load", "Activate"})) << "a hosted page is activated when it is shown";
    EXPECT_TRUE(page.SetFocus());
    EXPECT_TRUE(IsChild(page.hWnd, GetFocus()));
    // Unloading the page leaves the host as it was.
    page.Unload();
    EXPECT_TRUE(host.IsLoaded());
    EXPECT_EQ(GetActiveWindow(), host.hWnd);
}

TEST_F(FormLifecycle, WindowStateMinimisesAndRestores) {
    PageForm page;
    page.Show();
    page.WindowState = vbMinimized;
    EXPECT_TRUE(IsIconic(page.hWnd));
    EXPECT_EQ(page.WindowState, vbMinimized);
    page.WindowState = vbNormal;
    EXPECT_FALSE(IsIconic(page.hWnd));
}

TEST_F(FormLifecycle, StylesFollowTheDesign) {
    struct Styled : Form {
        Styled(const char* name, int border, bool taskbar) : Form(name), border_(border), taskbar_(taskbar) {}
        void Design() override {
            BorderStyle = border_;
            ShowInTaskbar = taskbar_;
            ControlBox = border_ != vbBSNone;
        }
        int border_;
        bool taskbar_;
    };
    Styled none("frmNone", vbBSNone, false), dialog("frmDialog", vbFixedDialog, true);
    none.Load();
    dialog.Load();
    auto style = [](HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); };
    auto ex = [](HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)); };
    EXPECT_EQ(style(none.hWnd) & WS_CAPTION, 0u);
    EXPECT_TRUE(ex(none.hWnd) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex(none.hWnd) & WS_EX_APPWINDOW);
    EXPECT_EQ(style(dialog.hWnd) & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style(dialog.hWnd) & WS_SYSMENU);
    EXPECT_TRUE(ex(dialog.hWnd) & WS_EX_APPWINDOW);
    EXPECT_TRUE(ex(dialog.hWnd) & WS_EX_DLGMODALFRAME);
    // Alt+F4 closes a form with a control box, and leaves a borderless one to its own keys.
    dialog.Show();
    KeyWith(VK_MENU, VK_F4);
    EXPECT_FALSE(dialog.IsLoaded());
    none.Show();
    KeyWith(VK_MENU, VK_F4);
    EXPECT_TRUE(none.IsLoaded());
}

TEST_F(FormLifecycle, AFormLoadedFirstAndShownWithAnOwnerLaterIsOwnedByIt) {
    PageForm owner, owned;
    owner.Show();
    owned.Load();
    EXPECT_FALSE(GetWindow(owned.hWnd, GW_OWNER));
    owned.Show(vbModeless, &owner);
    EXPECT_EQ(GetWindow(owned.hWnd, GW_OWNER), owner.hWnd);
    owner.Unload();
    owned.Unload();
}

}  // namespace
}  // namespace formtest
