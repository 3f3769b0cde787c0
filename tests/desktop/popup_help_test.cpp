// Popup help and the clock tooltip on the whole program with the real library: a dialog's control
// shows its help once the pointer rests on it for PopupHelpDelay, a help text dismissed with the
// right button is hidden in the help file and does not come again, and the taskbar clock fades
// its tooltip in.
#include <gtest/gtest.h>

#include <fstream>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/library_binding.h"
#include "core/popup_help.h"
#include "desktop_harness.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"

using namespace platform;
using desktop::Desktop;
using desktop::DesktopOptions;

namespace {

DesktopOptions LaterRun(const std::string& main) {
    DesktopOptions o;
    o.prepare = [main](const std::filesystem::path& folder) {
        std::ofstream(folder / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                     "[Main Settings]\nRunCount=4\nSplash=0\n"
                                                  << main;
    };
    return o;
}

// A dialog whose check box asks for its help on every mouse move, as the pages do.
class frmHelpedForm : public forms::Form {
public:
    frmHelpedForm() : Form("frmHelped") {
        chRepetitive.MouseMove = [this](int, int, int, int) { core::ShowHelp(chRepetitive.hWnd, "0701chRepetitive", false); };
    }
    forms::CommandButton chRepetitive{this, "chRepetitive"};

protected:
    void Design() override {
        Caption = "Helped";
        StartUpPosition = forms::vbStartUpManual;
        Move(1500, 1500, 6000, 4000);
        chRepetitive.Move(600, 600, 2400, 450);
    }
};

HWND HelpBalloon() { return FindWindowEx(HWND{}, HWND{}, "OZRSW Tooltip", nullptr); }

using desktop::CentreOf;

TEST(PopupHelpOnTheDesktop, AppearsAfterTheDelayAndADismissedTextNeverAgain) {
    Desktop d(LaterRun("PopupHelpDelay=700\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    frmHelpedForm form;
    form.Show();
    core::HelpFile.FindSection("Popup Help System - Alarm Settings - Alarm Warlock Step 1");
    core::OZRSpecifyTooltipMasterWindow(form.hWnd);
    const POINT over = CentreOf(d.Rect(form.chRepetitive.hWnd));
    InjectMouseMove(over);
    d.Pump();
    d.Advance(680);
    EXPECT_FALSE(HelpBalloon()) << "not before the delay";
    d.Advance(40);
    HWND help = HelpBalloon();
    ASSERT_TRUE(help);
    EXPECT_TRUE(IsWindowVisible(help));
    const RECT shown = d.Rect(help);
    EXPECT_TRUE(shown.right == over.x - 3 || shown.left == over.x) << "beside the cursor, flipped at the screen's edge";
    EXPECT_GE(shown.top, 0);

    // The right button held: 2 s to the confirmation, 2 s more and the entry is hidden for good.
    InjectMouseButton(over, MouseButton::Right, true);
    d.Advance(4100);
    InjectMouseButton(over, MouseButton::Right, false);
    d.Pump();
    const std::string file = d.ReadFile("System/Help/000HelpEnglish.ozrini");
    EXPECT_NE(file.find("H0701chRepetitive="), std::string::npos);
    EXPECT_EQ(file.find("S0701chRepetitive="), std::string::npos);

    // Away and back: no help any more.
    InjectMouseMove(POINT{5, 5});
    d.Advance(1500);
    EXPECT_FALSE(HelpBalloon());
    InjectMouseMove(over);
    d.Pump();
    InjectMouseMove(POINT{over.x + 1, over.y});
    d.Advance(2000);
    EXPECT_FALSE(HelpBalloon());
    form.Unload();
}

TEST(PopupHelpOnTheDesktop, TheTaskbarClockFadesItsTooltipIn) {
    Desktop d(LaterRun("SystrayClock=1\nTooltipDelay=300\nTooltipFadeIn=300\nTooltipMaxOpacity=200\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    HWND bar = FindWindow("Shell_TrayWnd", nullptr);
    HWND notify = FindWindowEx(bar, HWND{}, "TrayNotifyWnd", nullptr);
    HWND clock = FindWindowEx(notify, HWND{}, "TrayClockWClass", nullptr);
    ASSERT_TRUE(clock);
    const POINT over = CentreOf(d.Rect(clock));
    InjectMouseMove(over);
    d.Pump();
    d.Advance(280);
    EXPECT_FALSE(HelpBalloon());
    d.Advance(40);
    HWND tip = HelpBalloon();
    ASSERT_TRUE(tip);
    BYTE first = 255;
    GetLayeredWindowAttributes(tip, nullptr, &first, nullptr);
    d.Advance(400);
    BYTE last = 0;
    GetLayeredWindowAttributes(tip, nullptr, &last, nullptr);
    EXPECT_LT(first, last) << "it fades in";
    // Its bottom-right corner 3 px above and left of the cursor.
    const RECT shown = d.Rect(tip);
    EXPECT_EQ(shown.right, over.x - 3);
    EXPECT_EQ(shown.bottom, over.y - 3);
    EXPECT_EQ(last, 200);
    EXPECT_NE(GetWindowTextString(FindWindowEx(tip, HWND{}, nullptr, nullptr)).find(", 2026"), std::string::npos);
    InjectMouseMove(POINT{5, 5});
    d.Advance(2000);
    EXPECT_FALSE(HelpBalloon());
}

}  // namespace
