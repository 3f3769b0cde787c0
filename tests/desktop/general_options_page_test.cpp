// The general options page on the headless desktop: clock mode, mouse shortcut, topmost state,
// anchor, the visual effects with their questions and colour dialog, the systray refusals, and
// picking the anchor with the mouse over the screen's grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/commands.h"
#include "core/main_window_proc.h"
#include "core/settings_windows.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "settings_page_support.h"
#include "platform/forms/constants.h"
#include "platform/present/desktop_screen.h"
#include "platform/present/presented_windows.h"
#include "platform/shell/tray_messages.h"
#include "settings/frm_set_corner.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_go.h"
#include "tests/support/recording_common_dialogs.h"
#include "tests/support/recording_popup_help.h"
#include "tests/support/scripted_pointer.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;
using settings::frmSeti;
using settings::frmSetiGO;

namespace {

HWND TrayClock() {
    HWND bar = FindWindow("Shell_TrayWnd", nullptr);
    HWND notify = FindWindowEx(bar, HWND{}, "TrayNotifyWnd", nullptr);
    return FindWindowEx(notify, HWND{}, "TrayClockWClass", nullptr);
}

struct Layered {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
};
Layered LayeredOf(HWND h) {
    Layered l;
    GetLayeredWindowAttributes(h, &l.key, &l.alpha, &l.flags);
    return l;
}

class GeneralOptionsPage : public testing::Test {
public:
    explicit GeneralOptionsPage(DesktopOptions options = desktop::LaterRunWith("")) : d(std::move(options)) {}

    void SetUp() override {
        ASSERT_TRUE(d.Start());
        d.Advance(1500);
        // F2 opens the program settings on their group (the systray clock's menu does when the
        // floating window is hidden); Down moves to the general options.
        if (core::Settings.SystrayClock)
            SendMessage(core::frmMain().hWnd, core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, 0);
        else
            d.Key(VK_F2);
        d.Advance(50);
        ASSERT_TRUE(frmSeti().IsLoaded());
        d.Key(VK_DOWN);
        d.Advance(50);
        ASSERT_EQ(core::CurrentPageName, "frmSetiGO");
        ASSERT_TRUE(frmSetiGO().IsLoaded());
    }
    void ClickOn(forms::WindowedControl& control) { desktop::ClickOn(d, control); }
    void Apply() { desktop::ApplySettings(d); }
    std::string Saved(const std::string& key) const { return desktop::SavedSetting(d, key); }
    bool MainTopmost() const { return (GetWindowLong(core::frmMain().hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    Desktop d;
};

// A third label on yellow below the time and the date.
class GeneralOptionsOfThreeLabels : public GeneralOptionsPage {
public:
    GeneralOptionsOfThreeLabels()
        : GeneralOptionsPage(desktop::LaterRunWith(
              "[Labels]\nk0=Time\nk1=Date\nk2=Day\n"
              "[ZTVLBL: Time]\nX=0\nY=0\nFace=Arial\nSize=10\nBold=700\nItalic=0\nUnderline=0\nStrikeOut=0\n"
              "Back=0\nFore=16777215\nSpawnString=achh:mm:ss\nVisible=1\n"
              "[ZTVLBL: Date]\nX=0\nY=0\nFace=Arial\nSize=10\nBold=400\nItalic=0\nUnderline=0\nStrikeOut=0\n"
              "Back=16777215\nFore=0\nSpawnString=acYYYY-MM-DD\nVisible=1\n"
              "[ZTVLBL: Day]\nX=0\nY=0\nFace=Arial\nSize=10\nBold=400\nItalic=0\nUnderline=0\nStrikeOut=0\n"
              "Back=65535\nFore=0\nSpawnString=acYYYY\nVisible=1\n[Systray Window]\nTransparentMode=0\n")) {}
};

TEST_F(GeneralOptionsOfThreeLabels, SystrayMovesTheClockIntoTheTaskbarAtOnceAndFloatingBringsItBack) {
    auto& page = frmSetiGO();
    EXPECT_TRUE(page.optFloating.Value);
    HWND tray = TrayClock();
    ASSERT_TRUE(tray);
    const std::string trayTextBefore = d.Text(tray);
    ClickOn(page.optSystray);
    d.Advance(3000);
    EXPECT_TRUE(core::Settings.SystrayClock);
    EXPECT_FALSE(IsWindowVisible(core::frmMain().hWnd));
    EXPECT_GT(d.Rect(tray).width(), 20);
    EXPECT_NE(d.Rect(tray).width(), 44) << "the taskbar clock keeps its own size: not taken over";
    // Each label keeps its own line: the yellow one starts below the time and the date.
    const RECT clock = d.Rect(tray);
    const Surface& screen = ComposedScreen();
    int yellowTop = -1;
    for (int y = clock.top; y < clock.bottom && yellowTop < 0; ++y)
        for (int x = clock.left; x < clock.right; ++x)
            if ((screen.at(x, y) & 0xFFFFFF) == 0xFFFF00) {
                yellowTop = y - clock.top;
                break;
            }
    EXPECT_GT(yellowTop, clock.height() / 2);
    Apply();
    EXPECT_EQ(Saved("SystrayClock"), "1");

    ClickOn(page.optFloating);
    d.Advance(3000);
    EXPECT_FALSE(core::Settings.SystrayClock);
    EXPECT_TRUE(IsWindowVisible(core::frmMain().hWnd));
    Apply();
    EXPECT_EQ(Saved("SystrayClock"), "0");
    // The topmost clock comes back above the settings window, as at the window's opening.
    const std::vector<HWND> order = TopLevelWindowsInZOrder();
    const auto at = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
    EXPECT_LT(at(core::frmMain().hWnd), at(core::SettingsWindowHandle()));
}

TEST_F(GeneralOptionsPage, UntickingAlwaysOnTopMakesTheClockNotTopmostAndDisablesFullScreen) {
    auto& page = frmSetiGO();
    ASSERT_EQ(page.chTop.Value, forms::vbChecked);
    EXPECT_TRUE(MainTopmost());
    EXPECT_TRUE(page.chTopFS.Enabled);
    ClickOn(page.chTop);
    EXPECT_FALSE(core::Settings.FloatAlwaysOnTop);
    EXPECT_FALSE(MainTopmost());
    EXPECT_FALSE(page.chTopFS.Enabled);
    ClickOn(page.chTop);
    EXPECT_TRUE(MainTopmost());
    EXPECT_TRUE(page.chTopFS.Enabled);
    ClickOn(page.chTopFS);
    EXPECT_TRUE(core::Settings.AlwaysOnTopFS);
}

TEST_F(GeneralOptionsPage, AnAnchorFromTheListMovesTheClockAtOnceAndUntickingKeepsItWhereItIs) {
    auto& page = frmSetiGO();
    EXPECT_FALSE(page.ddlHotspot.Enabled);
    EXPECT_FALSE(page.cmdCustomize.Visible);
    ClickOn(page.chAnchor);
    EXPECT_TRUE(page.ddlHotspot.Enabled);
    EXPECT_TRUE(page.cmdCustomize.Visible);
    EXPECT_EQ(core::Settings.Anchor, 0) << "ticking alone anchors nothing";
    page.ddlHotspot.ChooseFromList(5);
    d.Advance(30);
    EXPECT_EQ(core::Settings.Anchor, 5);
    const RECT clock = d.Rect(core::frmMain().hWnd);
    EXPECT_EQ(clock.right, 1280);
    EXPECT_EQ(clock.bottom, 1024);
    Apply();
    EXPECT_EQ(Saved("Anchor"), "5");

    ClickOn(page.chAnchor);
    EXPECT_EQ(core::Settings.Anchor, 0);
    EXPECT_EQ(page.ddlHotspot.ListIndex, 5) << "the list keeps showing the former anchor";
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).right, 1280);
}

TEST_F(GeneralOptionsPage, TransparentCancelUndoesNoWithAColourKeysItAndTranslucentAddsItsOpacity) {
    auto& page = frmSetiGO();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    HWND main = core::frmMain().hWnd;

    d.AnswerNextMessageBoxes({IDCANCEL});
    ClickOn(page.chTransp);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4131u);
    EXPECT_EQ(page.chTransp.Value, forms::vbUnchecked);
    EXPECT_EQ(page.chNormal.Value, forms::vbChecked);
    EXPECT_FALSE(page.cmdColor.Visible);
    EXPECT_EQ(core::Settings.WindowType, 0);
    EXPECT_TRUE(IsWindowVisible(frmSeti().hWnd)) << "the settings window comes back";

    // No: the user chooses the colour; a cancelled dialog undoes the choice too.
    d.AnswerNextMessageBoxes({IDNO});
    dialogs.Answer(forms::CommonDialogAnswer::Cancel());
    ClickOn(page.chTransp);
    EXPECT_EQ(page.chTransp.Value, forms::vbUnchecked);
    EXPECT_EQ(core::Settings.WindowType, 0);

    d.AnswerNextMessageBoxes({IDNO});
    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00382210));
    ClickOn(page.chTransp);
    ASSERT_EQ(dialogs.Requests().size(), 2u);
    EXPECT_EQ(dialogs.Requests()[1].flags, 259);
    EXPECT_EQ(dialogs.Requests()[1].color, static_cast<COLORREF>(core::Settings.FloatBackColor));
    EXPECT_EQ(core::Settings.TransparencyColor, 0x00382210);
    EXPECT_EQ(core::Settings.WindowType, 1);
    EXPECT_EQ(page.chNormal.Value, forms::vbUnchecked);
    EXPECT_TRUE(page.cmdColor.Visible);
    EXPECT_EQ(page.pctColor.BackColor, 0x00382210u);
    EXPECT_EQ(LayeredOf(main).flags, 1u);
    EXPECT_EQ(LayeredOf(main).key, 0x00382210u);
    EXPECT_TRUE(IsWindowVisible(frmSeti().hWnd));

    // The file's default opacity 0 would hide the clock: the bar starts from a visible one.
    ClickOn(page.chTransl);
    EXPECT_EQ(core::Settings.WindowType, 3);
    EXPECT_EQ(core::Settings.FloatAlpha, 200);
    EXPECT_EQ(page.scrOpacity.Value, 200);
    EXPECT_TRUE(page.lblOpacity.Visible);
    EXPECT_EQ(LayeredOf(main).flags, 3u);
    EXPECT_EQ(LayeredOf(main).alpha, 200);
    Apply();
    EXPECT_EQ(Saved("WindowType"), "3");
    EXPECT_EQ(Saved("Alpha"), "200");
    EXPECT_EQ(Saved("TransparencyColor"), std::to_string(0x00382210));

    // Unticking Transparent keeps the translucency; unticking Translucent then leaves Normal.
    ClickOn(page.chTransp);
    EXPECT_EQ(core::Settings.WindowType, 2);
    EXPECT_EQ(LayeredOf(main).flags, 2u);
    EXPECT_EQ(LayeredOf(main).alpha, 200);
    EXPECT_FALSE(page.cmdColor.Visible);
    ClickOn(page.chTransl);
    EXPECT_EQ(core::Settings.WindowType, 0);
    EXPECT_EQ(page.chNormal.Value, forms::vbChecked);
    EXPECT_EQ(LayeredOf(main).alpha, 255);
    EXPECT_EQ(LayeredOf(main).flags, static_cast<DWORD>(LWA_ALPHA));

    // Normal cannot be unticked by hand.
    ClickOn(page.chNormal);
    EXPECT_EQ(page.chNormal.Value, forms::vbChecked);
    EXPECT_EQ(core::Settings.WindowType, 0);
}

TEST_F(GeneralOptionsPage, YesMakesTheClocksOwnBackTransparentAndNormalUndoesBothEffects) {
    auto& page = frmSetiGO();
    HWND main = core::frmMain().hWnd;
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(page.chTransp);
    EXPECT_EQ(core::Settings.WindowType, 1);
    EXPECT_EQ(core::Settings.TransparencyColor, core::Settings.FloatBackColor);
    ClickOn(page.chTransl);
    EXPECT_EQ(core::Settings.WindowType, 3);
    ClickOn(page.chNormal);
    EXPECT_EQ(core::Settings.WindowType, 0);
    EXPECT_EQ(page.chTransp.Value, forms::vbUnchecked);
    EXPECT_EQ(page.chTransl.Value, forms::vbUnchecked);
    const Layered l = LayeredOf(main);
    EXPECT_EQ(l.key, 0u);
    EXPECT_EQ(l.alpha, 255);
    EXPECT_EQ(l.flags, static_cast<DWORD>(LWA_ALPHA));
}

TEST_F(GeneralOptionsPage, EveryControlRaisesItsOwnPopupHelpFromTheShippedHelpFile) {
    auto& page = frmSetiGO();
    auto& help = testsupport::UseRecordingPopupHelp();
    struct Pointed {
        forms::WindowedControl& control;
        int id;
    };
    const Pointed pointed[] = {
        {page.optFloating, 101}, {page.optSystray, 102}, {page.chTop, 105},     {page.chAnchor, 106},
        {page.cmdCustomize, 108}, {page.chNormal, 109},  {page.chTransp, 110},  {page.cmdColor, 111},
        {page.pctColor, 112},    {page.chTransl, 113},  {page.chTransparent, 115}, {page.chTopFS, 116},
    };
    for (const Pointed& p : pointed) {
        p.control.MouseMove(0, 0, 1, 1);
        ASSERT_FALSE(help.shown.empty()) << p.control.Name();
        EXPECT_EQ(help.shown.back().helpId, p.id) << p.control.Name();
        EXPECT_FALSE(help.shown.back().inflate);
        EXPECT_NE(help.shown.back().title, "");
    }
    // The lists and the bar raise theirs when they take the focus.
    const Pointed focused[] = {{page.ddlShortcut, 103}, {page.ddlEvent, 104}, {page.ddlHotspot, 107}, {page.scrOpacity, 114}};
    for (const Pointed& p : focused) {
        help.shown.clear();
        p.control.GotFocus();
        ASSERT_FALSE(help.shown.empty()) << p.control.Name();
        EXPECT_EQ(help.shown.back().helpId, p.id) << p.control.Name();
        EXPECT_TRUE(help.shown.back().inflate);
    }
}

class GeneralOptionsOfATransparentClock : public GeneralOptionsPage {
public:
    GeneralOptionsOfATransparentClock()
        : GeneralOptionsPage(desktop::LaterRunWith("[Float Window]\nWindowType=1\nTransparencyColor=255\n")) {}
};

TEST_F(GeneralOptionsOfATransparentClock, TheColourButtonAndSwatchChangeTheKeyAndACancelChangesNothing) {
    auto& page = frmSetiGO();
    auto& dialogs = testsupport::UseRecordingCommonDialogs();
    HWND main = core::frmMain().hWnd;
    ASSERT_EQ(page.chTransp.Value, forms::vbChecked);
    EXPECT_TRUE(page.cmdColor.Visible);
    EXPECT_EQ(page.pctColor.BackColor, 255u);

    dialogs.Answer(forms::CommonDialogAnswer::Cancel());
    ClickOn(page.cmdColor);
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].color, 255u) << "the dialog starts from the colour in use";
    EXPECT_EQ(core::Settings.TransparencyColor, 255);
    EXPECT_TRUE(GetWindowLong(frmSeti().hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST) << "topmost again after the dialog";

    dialogs.Answer(forms::CommonDialogAnswer::ChooseColor(0x00102030));
    ClickOn(page.pctColor);
    EXPECT_EQ(core::Settings.TransparencyColor, 0x00102030);
    EXPECT_EQ(page.pctColor.BackColor, 0x00102030u);
    EXPECT_EQ(LayeredOf(main).key, 0x00102030u);
    EXPECT_EQ(LayeredOf(main).flags, 1u);
    EXPECT_EQ(core::Settings.WindowType, 1);
}

class GeneralOptionsWithFakeLibrary : public GeneralOptionsPage {
public:
    GeneralOptionsWithFakeLibrary() : GeneralOptionsPage(desktop::LaterRunWith("", true)) {}
};

TEST_F(GeneralOptionsWithFakeLibrary, TheShortcutListShowsTheOtherActionAndChoosingAnActionSwapsThem) {
    auto& page = frmSetiGO();
    desktop::FakeLibrary lib;
    lib.Clear();
    EXPECT_EQ(page.ddlEvent.Text, "Copy date / time to Clipboard");
    page.ddlShortcut.ChooseFromList(1);
    d.Advance(30);
    EXPECT_EQ(page.ddlEvent.ListIndex, 1) << "the double click's action";
    EXPECT_EQ(page.ddlEvent.Text, "Open Windows \"Date and Time Properties\"");
    EXPECT_FALSE(core::Settings.OZRShortcut);
    EXPECT_TRUE(lib.Calls().empty());

    page.ddlEvent.ChooseFromList(0);
    d.Advance(30);
    EXPECT_TRUE(core::Settings.OZRShortcut);
    ASSERT_FALSE(lib.Calls().empty());
    EXPECT_EQ(lib.Calls().back(), "OZRSetClockShortcutCount 1");
    Apply();
    EXPECT_EQ(Saved("OZR"), "1");
    page.ddlEvent.ChooseFromList(1);
    d.Advance(30);
    EXPECT_FALSE(core::Settings.OZRShortcut);
    EXPECT_EQ(lib.Calls().back(), "OZRSetClockShortcutCount 0");
}

TEST_F(GeneralOptionsWithFakeLibrary, TransparentModeGoesToTheLibraryAtOnce) {
    auto& page = frmSetiGO();
    desktop::FakeLibrary lib;
    lib.Clear();
    ASSERT_EQ(page.chTransparent.Value, forms::vbChecked);
    ClickOn(page.chTransparent);
    EXPECT_FALSE(core::Settings.TransparentMode);
    EXPECT_EQ(lib.Calls(), std::vector<std::string>{"OZRSetClockTransparent"});
}

class GeneralOptionsInSystrayMode : public GeneralOptionsPage {
public:
    GeneralOptionsInSystrayMode()
        : GeneralOptionsPage(desktop::LaterRunWith("SystrayClock=1\n[Float Window]\nAnchor=3\nWindowType=2\nAlpha=90\n")) {}
};

TEST_F(GeneralOptionsInSystrayMode, TheFourFloatingOnlyBoxesRefuseWithAnInformationBoxAndRevert) {
    auto& page = frmSetiGO();
    ASSERT_TRUE(page.optSystray.Value);
    const core::ProgramSettings before = core::Settings;
    forms::CheckBox* boxes[] = {&page.chAnchor, &page.chNormal, &page.chTransp, &page.chTransl};
    for (forms::CheckBox* box : boxes) {
        SCOPED_TRACE(box->Name());
        const int value = box->Value;
        const std::size_t shown = d.MessageBoxes().size();
        ClickOn(*box);
        ASSERT_EQ(d.MessageBoxes().size(), shown + 1);
        const MessageBoxRequest& info = d.MessageBoxes().back();
        EXPECT_EQ(info.type, 4160u);
        EXPECT_EQ(info.caption, "OZR Ruriv - Information");
        EXPECT_NE(info.text.find("floating clock"), std::string::npos) << info.text;
        EXPECT_EQ(box->Value, value);
    }
    EXPECT_EQ(core::Settings.Anchor, before.Anchor);
    EXPECT_EQ(core::Settings.WindowType, before.WindowType);
    EXPECT_EQ(core::Settings.FloatAlpha, 90);
    // The others act in systray mode too.
    ClickOn(page.chTop);
    EXPECT_FALSE(core::Settings.FloatAlwaysOnTop);
}

class GeneralOptionsFromAnEditedFile : public GeneralOptionsPage {
public:
    GeneralOptionsFromAnEditedFile()
        : GeneralOptionsPage(desktop::LaterRunWith("[Float Window]\nAnchor=9\nWindowType=2\nAlpha=3\n")) {}
};

TEST_F(GeneralOptionsFromAnEditedFile, AnUnknownAnchorBecomesNoneAndAnInvisibleOpacityAVisibleOne) {
    auto& page = frmSetiGO();
    EXPECT_EQ(core::Settings.Anchor, 0);
    EXPECT_EQ(page.ddlHotspot.ListIndex, 0);
    EXPECT_EQ(page.chAnchor.Value, forms::vbUnchecked);
    EXPECT_FALSE(page.cmdCustomize.Visible);
    EXPECT_EQ(page.chTransl.Value, forms::vbChecked);
    EXPECT_EQ(page.scrOpacity.Value, 200);
    EXPECT_EQ(core::Settings.FloatAlpha, 200);
    EXPECT_EQ(LayeredOf(core::frmMain().hWnd).alpha, 200);
}

// Anchor picking on a 1024 x 768 screen, the pointer scripted.
class AnchorPicking : public GeneralOptionsPage {
public:
    AnchorPicking() : GeneralOptionsPage(desktop::LaterRunWith("", false, SIZE{1024, 768})) {}
    void SetUp() override {
        GeneralOptionsPage::SetUp();
        pointer_ = &testsupport::UseScriptedPointer();
    }

    void StartPicking() {
        pointer_->position = POINT{500, 380};
        ClickOn(frmSetiGO().chAnchor);
        d.AnswerNextMessageBoxes({IDYES});
        ClickOn(frmSetiGO().cmdCustomize);
        ASSERT_TRUE(frmSetiGO().Picking());
    }
    void PointAt(int x, int y) {
        pointer_->position = POINT{x, y};
        d.Advance(30);
    }
    void Click(int vk) {
        pointer_->Press(vk);
        d.Advance(30);
        pointer_->Release(vk);
        d.Advance(30);
    }

    testsupport::ScriptedPointer* pointer_ = nullptr;
};

TEST_F(AnchorPicking, TheClockFollowsThePointersCellAndAClickKeepsTheLastAnchor) {
    const RECT before = d.Rect(core::frmMain().hWnd);
    StartPicking();
    ASSERT_EQ(d.MessageBoxes().back().type, 4132u);
    ASSERT_TRUE(settings::frmSetCorner().IsLoaded());
    const RECT marker = d.Rect(settings::frmSetCorner().hWnd);
    EXPECT_EQ(marker.width(), 200);
    EXPECT_EQ(marker.height(), 200);
    EXPECT_EQ(marker.left, (1024 - 200) / 2);
    EXPECT_EQ(marker.top, (768 - 200) / 2);
    EXPECT_FALSE(IsWindowVisible(frmSeti().hWnd));
    EXPECT_TRUE(GetWindowLong(settings::frmSetCorner().hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(LayeredOf(settings::frmSetCorner().hWnd).alpha, 100);
    // In the middle cell the clock stays where it was.
    d.Advance(30);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).left, before.left);
    EXPECT_EQ(core::Settings.Anchor, 0);

    PointAt(340, 255);
    EXPECT_EQ(core::Settings.Anchor, 1);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).left, 0);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).top, 0);
    PointAt(341, 255);
    EXPECT_EQ(core::Settings.Anchor, 2);
    PointAt(683, 512);
    EXPECT_EQ(core::Settings.Anchor, 5);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).right, 1024);
    EXPECT_EQ(d.Rect(core::frmMain().hWnd).bottom, 768);
    PointAt(512, 384);
    EXPECT_EQ(core::Settings.Anchor, 5) << "the middle cell changes nothing";
    PointAt(-20, 100);
    EXPECT_EQ(core::Settings.Anchor, 5) << "off the screen changes nothing";

    Click(VK_LBUTTON);
    EXPECT_FALSE(frmSetiGO().Picking());
    EXPECT_FALSE(settings::frmSetCorner().IsLoaded());
    EXPECT_TRUE(IsWindowVisible(frmSeti().hWnd));
    EXPECT_EQ(core::Settings.Anchor, 5);
    EXPECT_EQ(frmSetiGO().ddlHotspot.ListIndex, 5);
    // Nothing polls the pointer once the picking has ended.
    const int questions = pointer_->questions;
    d.Advance(500);
    EXPECT_EQ(pointer_->questions, questions);
}

TEST_F(AnchorPicking, ARightClickEndsItAndAButtonHeldAtTheStartEndsItOnItsRelease) {
    StartPicking();
    PointAt(10, 10);
    Click(VK_RBUTTON);
    EXPECT_FALSE(frmSetiGO().Picking());
    EXPECT_EQ(core::Settings.Anchor, 1);

    pointer_->Press(VK_LBUTTON);
    d.AnswerNextMessageBoxes({IDYES});
    ClickOn(frmSetiGO().cmdCustomize);
    PointAt(1000, 10);
    EXPECT_TRUE(frmSetiGO().Picking());
    pointer_->Release(VK_LBUTTON);
    d.Advance(30);
    EXPECT_FALSE(frmSetiGO().Picking());
    EXPECT_EQ(core::Settings.Anchor, 3);
}

// With the pointer as the desktop delivers it: a press and release quicker than a tick end the
// picking, and the right click that ends it over the clock that has just jumped under the pointer
// reaches no window: the clock's menu does not open.
TEST_F(AnchorPicking, TheEndingClickIsThePickingsOwnAndAQuickOneIsNotMissed) {
    InstallService<Pointer>(nullptr);
    ClickOn(frmSetiGO().chAnchor);
    ASSERT_FALSE(core::frmMenuHost().IsLoaded());  // the clock's menu loads it
    for (const MouseButton button : {MouseButton::Right, MouseButton::Left}) {
        d.AnswerNextMessageBoxes({IDYES});
        ClickOn(frmSetiGO().cmdCustomize);
        ASSERT_TRUE(frmSetiGO().Picking());
        const POINT corner{10, 10}, away{1000, 700};
        InjectMouseMove(corner);
        d.Advance(30);
        ASSERT_TRUE(d.Rect(core::frmMain().hWnd).contains(corner));
        InjectMouseButton(corner, button, true);
        InjectMouseButton(corner, button, false);
        // A click away, which would close a menu that opened.
        InjectMouseButton(away, MouseButton::Left, true);
        InjectMouseButton(away, MouseButton::Left, false);
        d.Advance(300);
        EXPECT_FALSE(frmSetiGO().Picking()) << static_cast<int>(button);
        EXPECT_FALSE(core::frmMenuHost().IsLoaded()) << "the clock's menu opened";
        d.Advance(1000);  // no double click with the next press
    }
}

TEST_F(AnchorPicking, ClosingTheSettingsWindowMeanwhileTakesTheMarkerAway) {
    StartPicking();
    PointAt(10, 10);
    frmSeti().CloseWindow();
    d.Advance(30);
    EXPECT_FALSE(frmSeti().IsLoaded());
    EXPECT_FALSE(settings::frmSetCorner().IsLoaded());
    const int questions = pointer_->questions;
    d.Advance(200);
    EXPECT_EQ(pointer_->questions, questions);
}

TEST_F(AnchorPicking, NoToTheQuestionStartsNothing) {
    ClickOn(frmSetiGO().chAnchor);
    d.AnswerNextMessageBoxes({IDNO});
    ClickOn(frmSetiGO().cmdCustomize);
    EXPECT_FALSE(frmSetiGO().Picking());
    EXPECT_FALSE(settings::frmSetCorner().IsLoaded());
    EXPECT_TRUE(IsWindowVisible(frmSeti().hWnd));
}

}  // namespace
