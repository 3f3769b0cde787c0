// The splash and the tip window: how they fade in and out, when the tip opens, how long it stays,
// and the clicks that close both.
#include "intro_test_support.h"

namespace introtest {
namespace {

using core::frmIntro;
using core::frmIntroTips;
using core::IntroForm;
using core::IntroTipsForm;

constexpr int kTick = 15;  // the platform's tick, at which the 1 ms timers run

class Splash : public IntroTest {
protected:
    IntroForm& Greet() {
        IntroForm& intro = frmIntro();
        intro.Load();
        intro.DoGreeting();
        return intro;
    }
    // Runs until the tip window has opened: 26 fade-in ticks and 300 ms.
    IntroTipsForm& GreetUntilTheTipOpens() {
        Greet();
        RunFor(26 * kTick + 300);
        return frmIntroTips();
    }
};

TEST_F(Splash, FadesInInTwentySixTicksOpensTheTipAfter300MsStays20SecondsAndFadesOutWithIt) {
    IntroForm& intro = Greet();
    HWND splash = intro.Window();
    EXPECT_TRUE(GetWindowLong(splash, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(GetWindowLong(splash, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(IsWindowVisible(splash));
    EXPECT_FALSE(intro.frmClock.Visible);
    EXPECT_EQ(Opacity(splash), 0);
    for (int tick = 1; tick <= 25; ++tick) {
        RunFor(kTick);
        ASSERT_EQ(Opacity(splash), 10 * tick) << "tick " << tick;
    }
    RunFor(kTick);
    EXPECT_EQ(Opacity(splash), 255);

    RunFor(299);
    EXPECT_FALSE(core::TipsShowing);
    RunFor(1);
    ASSERT_TRUE(core::TipsShowing);
    IntroTipsForm& tips = frmIntroTips();
    HWND tip = tips.Window();
    RECT splashRect = WindowRect(splash);
    RECT tipRect = WindowRect(tip);
    EXPECT_EQ(tipRect.left - splashRect.left, 120 / 15);
    EXPECT_EQ(tipRect.top - splashRect.top, 1725 / 15);
    EXPECT_TRUE(GetWindowLong(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(tip, &key, nullptr, &flags));
    EXPECT_EQ(key, core::kTipTransparentColor);
    EXPECT_EQ(flags, LWA_COLORKEY | LWA_ALPHA);

    EXPECT_EQ(Opacity(tip), 0);
    for (int tick = 1; tick <= 36; ++tick) {
        RunFor(kTick);
        ASSERT_EQ(Opacity(tip), 7 * tick) << "tick " << tick;
    }
    RunFor(kTick);
    EXPECT_EQ(Opacity(tip), 255);

    // The stay is a whole-second timer, due just after a second of the wall clock: 19 to 20 s.
    RunFor(19'000);
    EXPECT_EQ(Opacity(tip), 255);
    EXPECT_EQ(Opacity(splash), 255);
    int waited = 19'000;
    while (Opacity(tip) == 255 && waited <= 20'001) {
        RunFor(1);
        ++waited;
    }
    EXPECT_LE(waited, 20'001);
    for (int tick = 1; tick <= 25; ++tick) {
        ASSERT_EQ(Opacity(tip), 255 - 10 * tick) << "tick " << tick;
        ASSERT_EQ(Opacity(splash), 255 - 10 * tick) << "tick " << tick;
        RunFor(kTick);
    }
    EXPECT_FALSE(tips.IsLoaded());
    EXPECT_FALSE(intro.IsLoaded());
    EXPECT_FALSE(core::TipsShowing);
    EXPECT_FALSE(core::IntroShowing);
}

TEST_F(Splash, AClickOnTheSplashBeforeTheTipOpensClosesItAndTheTipNeverOpens) {
    IntroForm& intro = Greet();
    RunFor(100);
    ClickNow(CentreOf(intro.Window()));
    EXPECT_FALSE(intro.IsLoaded());
    EXPECT_FALSE(core::IntroShowing);
    RunFor(5'000);
    EXPECT_FALSE(frmIntroTips().IsLoaded());
    EXPECT_FALSE(core::TipsShowing);
    EXPECT_EQ(Saved("Main Settings", "TipCount"), "");  // no tip was taken
}

TEST_F(Splash, AClickOnTheSplashOrADoubleClickOnTheTipClosesBoth) {
    {
        SCOPED_TRACE("click on the splash above the tip");
        IntroTipsForm& tips = GreetUntilTheTipOpens();
        ASSERT_TRUE(tips.IsLoaded());
        RECT splash = WindowRect(frmIntro().Window());
        ClickNow(POINT{splash.left + 20, splash.top + 20});
        EXPECT_FALSE(frmIntro().IsLoaded());
        EXPECT_FALSE(tips.IsLoaded());
        EXPECT_FALSE(core::IntroShowing || core::TipsShowing);
    }
    {
        SCOPED_TRACE("double-click on the tip");
        IntroTipsForm& tips = GreetUntilTheTipOpens();
        RunFor(1'000);
        ASSERT_TRUE(tips.IsLoaded());
        RECT label = tips.lblTip.PixelRect();
        POINT p{label.left + 10, label.top + 5};
        ClientToScreen(tips.Window(), &p);
        InjectMouseMove(p);
        for (int i = 0; i < 2; ++i) {
            InjectMouseButton(p, MouseButton::Left, true);
            InjectMouseButton(p, MouseButton::Left, false);
        }
        PumpPendingWork();
        EXPECT_FALSE(tips.IsLoaded());
        EXPECT_FALSE(frmIntro().IsLoaded());
        EXPECT_FALSE(core::IntroShowing || core::TipsShowing);
    }
}

TEST_F(Splash, TheTipShowsOnItsOwnBandAndTheRestOfItsWindowLetsTheSplashThrough) {
    IntroTipsForm& tips = GreetUntilTheTipOpens();
    RunFor(37 * kTick);
    ASSERT_EQ(Opacity(tips.Window()), 255);
    const Surface& screen = ComposedScreen();
    RECT splash = WindowRect(frmIntro().Window());
    RECT tip = WindowRect(tips.Window());
    RECT label = tips.lblTip.PixelRect();
    const Surface& picture = *frmIntro().pctSplash.Picture().Pixels();

    POINT below{tip.left + 40, tip.top + label.bottom + 20};  // under the tip's text
    ASSERT_LT(below.y, tip.bottom);
    EXPECT_TRUE(SameColor(screen.at(below.x, below.y), picture.at(below.x - splash.left, below.y - splash.top)));
    POINT band{tip.left + label.right - 2, tip.top + 1};  // right of the short heading
    EXPECT_FALSE(SameColor(screen.at(band.x, band.y), picture.at(band.x - splash.left, band.y - splash.top)));
}

TEST_F(Splash, AMissingPictureLeavesItsBoxEmptyAndIsLogged) {
    TurnDebugLogOn();
    std::filesystem::remove(folder / "GUI/Misc/Splash.jpg");
    IntroForm& intro = Greet();
    EXPECT_TRUE(intro.IsLoaded());
    EXPECT_FALSE(intro.pctSplash.Picture());
    EXPECT_NE(DebugLogText().find("Splash.jpg"), std::string::npos);
}

}  // namespace
}  // namespace introtest
