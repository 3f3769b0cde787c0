// The first-run choice between the systray clock and the floating clock: what each choice stores,
// the Start button that waits for a choice, and who answers when nobody can.
#include "intro_test_support.h"
#include "tests/support/recording_message_boxes.h"

namespace introtest {
namespace {

using core::frmIntro;
using core::IntroForm;

class IntroChoice : public IntroTest {
protected:
    // As start-up does on a first run, but shown modeless so that the test can click.
    IntroForm& ShowChoice() {
        IntroForm& intro = frmIntro();
        intro.Load();
        intro.PrepareForFirstRunIntro();
        intro.Show();
        PumpPendingWork();
        return intro;
    }
};

TEST_F(IntroChoice, ShowsTheChoiceCentredOverTheSplashOnAnOpaqueTopmostWindow) {
    IntroForm& intro = ShowChoice();
    EXPECT_TRUE(core::IntroShowing);
    RECT window = WindowRect(intro.hWnd);
    RECT frame = WindowRect(intro.frmClock.hWnd);
    EXPECT_EQ(window.width(), 510);
    EXPECT_EQ(window.height(), 300);
    EXPECT_EQ(frame.left - window.left, window.right - frame.right);
    EXPECT_LE(std::abs((frame.top - window.top) - (window.bottom - frame.bottom)), 1);
    EXPECT_TRUE(GetWindowLong(intro.hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(Opacity(intro.hWnd), -1);
    EXPECT_TRUE(SamePixels(intro.pctSystray.Picture, "OZRClockSystrayM.jpg"));
    EXPECT_TRUE(SamePixels(intro.pctFloating.Picture, "OZRClockFloatingM.jpg"));
}

TEST_F(IntroChoice, StartWaitsForAChoiceAndTheSplashBehindDoesNotClose) {
    IntroForm& intro = ShowChoice();
    EXPECT_FALSE(intro.cmdNext.Enabled);

    Click(intro.cmdNext.hWnd);
    RECT window = WindowRect(intro.hWnd);
    RunFor(600);  // no double-click with the click before
    ClickNow(POINT{window.left + 10, window.top + 10});  // the splash picture around the choice
    EXPECT_TRUE(intro.IsLoaded());
    EXPECT_EQ(Saved("Main Settings", "RunCount"), "");

    Click(intro.pctFloating.hWnd);
    EXPECT_TRUE(intro.optFloating.Value);
    EXPECT_TRUE(intro.cmdNext.Enabled);
    EXPECT_TRUE(SamePixels(intro.pctFloating.Picture, "OZRClockFloating.jpg"));
    EXPECT_TRUE(SamePixels(intro.pctSystray.Picture, "OZRClockSystrayM.jpg"));

    Click(intro.optSystray.hWnd);
    EXPECT_FALSE(intro.optFloating.Value);
    EXPECT_TRUE(SamePixels(intro.pctSystray.Picture, "OZRClockSystray.jpg"));
    EXPECT_TRUE(SamePixels(intro.pctFloating.Picture, "OZRClockFloatingM.jpg"));
    EXPECT_TRUE(core::Settings.SystrayClock);
}

TEST_F(IntroChoice, EachChoiceStoresTheClockTypeAndRunCountAndOnlySystrayMovesTheLabels) {
    struct Case {
        const char* name;
        bool systray;  // the picture clicked
        const char* storedSystray;
        const char* storedY;
    };
    const Case cases[] = {
        {"systray: the labels sit 3 pixels up", true, "1", "-3"},
        {"floating: Y stays as it was", false, "0", "7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        core::Settings.PositionY = 7;
        IntroForm& intro = ShowChoice();
        Click(c.systray ? intro.pctSystray.hWnd : intro.pctFloating.hWnd);
        Click(intro.cmdNext.hWnd);

        EXPECT_FALSE(intro.IsLoaded());
        EXPECT_FALSE(core::IntroShowing);
        EXPECT_EQ(core::Settings.SystrayClock, c.systray);
        EXPECT_EQ(Saved("Main Settings", "RunCount"), "1");
        EXPECT_EQ(Saved("Main Settings", "SystrayClock"), c.storedSystray);
        EXPECT_EQ(Saved("Main Settings", "Y"), c.storedY);
        // The global keeps this run's count; start-up counts the next run.
        EXPECT_EQ(core::Settings.RunCount, 0);
        // "Start with my session" is on from the first run: its entry is there already.
        EXPECT_EQ(autostart->requests, std::vector<std::string>{"enable " + ProgramFolder() + "/OZRClock"});
        autostart->requests.clear();
    }
}

TEST_F(IntroChoice, AChoiceThatCannotBeSavedStillEndsTheChoiceAndIsToldAndLogged) {
    TurnDebugLogOn();
    std::filesystem::create_directory(folder / "Settings.ozrini");  // no file can be written there
    std::vector<platform::MessageBoxRequest>& boxes = testsupport::UseRecordingMessageBoxes().Requests();
    IntroForm& intro = ShowChoice();
    Click(intro.pctSystray.hWnd);
    Click(intro.cmdNext.hWnd);
    EXPECT_FALSE(intro.IsLoaded());
    EXPECT_TRUE(core::Settings.SystrayClock);
    EXPECT_NE(DebugLogText().find("[SaveProgramFile]: Cannot save the settings file"), std::string::npos);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(folder / "Settings.ozrini"), std::string::npos) << boxes[0].text;
}

// What start-up does: the modal showing returns once the choice is made.
TEST_F(IntroChoice, AHeadlessRunWithNobodyToAskTakesTheFloatingClockAtOnce) {
    core::IntroDrivenByTest = false;
    IntroForm& intro = frmIntro();
    intro.Load();
    intro.PrepareForFirstRunIntro();
    const std::int64_t before = CurrentClock().MonotonicMs();
    intro.Show(forms::vbModal);

    EXPECT_EQ(CurrentClock().MonotonicMs(), before);
    EXPECT_FALSE(intro.IsLoaded());
    EXPECT_FALSE(core::Settings.SystrayClock);
    EXPECT_EQ(Saved("Main Settings", "RunCount"), "1");
    EXPECT_EQ(Saved("Main Settings", "SystrayClock"), "0");
}

// The user's clicks, made by a timer while the window is shown modally.
void ClickSystrayThenStart(HWND, UINT, UINT_PTR id, DWORD) {
    static int step = 0;
    IntroForm& intro = frmIntro();
    HWND target = step++ == 0 ? intro.pctSystray.Window() : intro.cmdNext.Window();
    if (step == 2) KillTimer(HWND{}, id);
    POINT p = CentreOf(target);
    InjectMouseMove(p);
    InjectMouseButton(p, MouseButton::Left, true);
    InjectMouseButton(p, MouseButton::Left, false);
}

TEST_F(IntroChoice, ADrivenRunWaitsForTheUsersChoice) {
    IntroForm& intro = frmIntro();
    intro.Load();
    intro.PrepareForFirstRunIntro();
    const std::int64_t before = CurrentClock().MonotonicMs();
    SetTimer(HWND{}, 0, 4500, ClickSystrayThenStart);
    intro.Show(forms::vbModal);

    EXPECT_EQ(CurrentClock().MonotonicMs() - before, 9'000);  // the second click ended it
    EXPECT_FALSE(intro.IsLoaded());
    EXPECT_TRUE(core::Settings.SystrayClock);
    EXPECT_EQ(Saved("Main Settings", "Y"), "-3");
}

}  // namespace
}  // namespace introtest
