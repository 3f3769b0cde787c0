// Balloon windows (kind 2): skinned pieces, following the cursor within the target, fading out
// when it leaves, and a help text dismissed by holding the right button.
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "../platform/draw/image_builders.h"
#include "platform/present/desktop_screen.h"
#include "smart_window_support.h"

namespace smarttest {
namespace {

constexpr COLORREF kKey = 0xFEFEFE;

class Balloons : public SmartWindows {
protected:
    void SetUp() override {
        SmartWindows::SetUp();
        folder = std::filesystem::path(::testing::TempDir()) / "ozr-skin";
        std::filesystem::create_directories(folder / "Tooltip");
        std::string image = folder.string() + "/";
        std::memset(Share().ImageFolder, 0, sizeof(Share().ImageFolder));
        std::memcpy(Share().ImageFolder, image.data(), image.size());
    }
    // A piece of w x h: a see-through band of one pixel around a body of some colour.
    void WritePiece(const std::string& name, int w, int h) {
        auto bytes = drawtest::MakeBmp(drawtest::MakeDib(24, w, h, true, {},
                                                         [w, h](int x, int y) {
                                                             bool band = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                                                             return band ? 0xFEFEFEu : 0x123456u;
                                                         }),
                                       0);
        std::ofstream out(folder / "Tooltip" / (name + ".bmp"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    SmartWindow* MakeBalloon(bool fade, bool skinned, int height = 30) {
        SmartWindowManager& m = CreateSmartWindowManager();
        SmartWindow* w = m.NewWindow();
        m.ClockTooltip = w;
        Share().TooltipShown = 1;
        SmartWindow::Params s;
        s.kind = kTooltipKind;
        s.width = 190;
        s.height = height;
        s.backColor = 0xFFFFFF;
        s.textColor = 0x000000;
        s.alpha = 200;
        s.visuals = 3;
        s.targetRect = RECT{100, 100, 400, 300};
        s.desktopRect = RECT{0, 0, 1280, 1024};
        s.fade = fade;
        s.fadeInTime = 150;
        s.fadeOutTime = 150;
        s.skinned = skinned;
        s.showNow = true;
        InjectMouseMove(POINT{300, 200});
        EXPECT_TRUE(w->Create(s));
        w->SetTitle("Tuesday, 08 December 2026");
        return w;
    }
    std::filesystem::path folder;
};

TEST_F(Balloons, FadeInFollowTheCursorAndFadeOutWhenItLeaves) {
    SmartWindow* w = MakeBalloon(true, false);
    HWND h = w->Handle;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(h, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
    EXPECT_TRUE(w->TimerRuns(kFollowCursorTimer));
    EXPECT_TRUE(w->TimerRuns(kTooltipRepaintTimer));
    COLORREF key = 0;
    BYTE alpha = 1;
    DWORD flags = 0;
    GetLayeredWindowAttributes(h, &key, &alpha, &flags);
    EXPECT_EQ(key, kKey);
    EXPECT_EQ(flags, LWA_ALPHA | LWA_COLORKEY);
    EXPECT_EQ(alpha, 0);
    EXPECT_EQ(TicksUntil([&] { return !w->TimerRuns(kFadeInTimer); }), 150 / 15);
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 200);
    // Its bottom-right corner 3 px above and left of the cursor.
    RECT r = RectOf(w);
    EXPECT_EQ(r.right, 297);
    EXPECT_EQ(r.bottom, 197);
    EXPECT_EQ(w->ArrowCorner, 1);
    InjectMouseMove(POINT{350, 250});
    RunFor(15);
    EXPECT_EQ(RectOf(w).right, 347);

    // Out of the target: it fades out and goes; back in while it fades: full opacity again.
    InjectMouseMove(POINT{600, 600});
    RunFor(30);
    EXPECT_TRUE(w->Closing);
    InjectMouseMove(POINT{350, 250});
    RunFor(15);
    EXPECT_FALSE(w->Closing);
    TicksUntil([&] { return !w->TimerRuns(kFadeInTimer); });
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 255);

    InjectMouseMove(POINT{600, 600});
    TicksUntil([&] { return !IsWindow(h); });
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(ExistingSmartWindowManager()->ClockTooltip, nullptr);
    EXPECT_EQ(Share().TooltipShown, 0);
}

TEST_F(Balloons, FlipsAtTheDesktopsEdges) {
    SmartWindow* w = MakeBalloon(false, false);
    w->TargetRect = RECT{0, 0, 1280, 1024};
    struct Case {
        POINT cursor;
        RECT expected;
        int corner;
    } cases[] = {
        {{600, 500}, RECT{407, 467, 597, 497}, 1},
        {{600, 10}, RECT{407, 13, 597, 43}, 4},
        {{50, 500}, RECT{50, 467, 240, 497}, 2},
        {{50, 10}, RECT{50, 13, 240, 43}, 3},
        {{1279, 1023}, RECT{1086, 990, 1276, 1020}, 1},
    };
    for (const Case& c : cases) {
        InjectMouseMove(c.cursor);
        RunFor(15);
        EXPECT_EQ(RectOf(w), c.expected) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(w->ArrowCorner, c.corner);
    }
    // Without fading a balloon whose cursor left closes at once.
    w->TargetRect = RECT{0, 0, 10, 10};
    HWND h = w->Handle;
    RunFor(15);
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(Balloons, SkinPiecesComeFromTheSmallSetAndTakeTheWindowsColours) {
    for (const char* name : {"C1S", "C2S", "C3S", "C4S", "A1S", "A2S", "A3S", "A4S"})
        WritePiece(name, name[0] == 'A' ? 20 : 4, name[0] == 'A' ? 15 : 4);
    WritePiece("A3", 40, 30);
    SmartWindow* w = MakeBalloon(false, true);
    RunFor(15);
    ASSERT_EQ(w->ArrowCorner, 1);
    // Corner 1: C1, C2, A3, C4 of the small set (the window is under 60 px high).
    EXPECT_EQ(w->Skin[0].width, 4);
    EXPECT_EQ(w->Skin[2].width, 20);
    EXPECT_EQ(w->Skin[2].height, 15);
    HDC dc = CreateCompatibleDC(HDC{});
    HGDIOBJ old = SelectObject(dc, w->Skin[2].bitmap);
    EXPECT_EQ(GetPixel(dc, 0, 0) & 0xFFFFFF, kKey);   // see-through stays
    EXPECT_EQ(GetPixel(dc, 1, 1) & 0xFFFFFF, 0x000000u);  // next to the key: the text colour
    EXPECT_EQ(GetPixel(dc, 5, 5) & 0xFFFFFF, 0xFFFFFFu);  // the body: the back colour
    SelectObject(dc, old);
    DeleteDC(dc);

    // A missing piece leaves its corner empty, and the debug log says which; the window still shows.
    Share().DebugMode = 1;
    std::filesystem::remove(folder / "Tooltip" / "C4S.bmp");
    w->LoadTooltipSkin();
    EXPECT_FALSE(w->Skin[3].bitmap);
    EXPECT_TRUE(IsWindowVisible(w->Handle));
    EXPECT_TRUE(std::any_of(main.lines.begin(), main.lines.end(), [](const std::string& line) {
        return line.starts_with("{LoadTooltipSkin}: Missing skin pieces in ") && line.ends_with(": C4S");
    }));
    Share().DebugMode = 0;
}

TEST_F(Balloons, TheShippedSkinRoundsTheCornersAndPointsTheArrowAtTheCursor) {
    const std::string shipped = std::string(OZR_PROGRAM_DIR) + "/GUI/";
    std::memset(Share().ImageFolder, 0, sizeof(Share().ImageFolder));
    std::memcpy(Share().ImageFolder, shipped.data(), shipped.size());
    StartDesktopScreen();
    SmartWindow* w = MakeBalloon(false, true);
    RunFor(15);
    ASSERT_EQ(w->ArrowCorner, 1);
    ASSERT_EQ(RectOf(w), (RECT{107, 167, 297, 197}));
    UpdateWindow(w->Handle);
    HDC dc = GetDC(w->Handle);
    auto at = [dc](int x, int y) { return GetPixel(dc, x, y) & 0xFFFFFF; };
    EXPECT_EQ(at(0, 0), kKey) << "a round corner";
    EXPECT_EQ(at(0, 12), 0x000000u) << "the frame";
    EXPECT_EQ(at(3, 20), 0xFFFFFFu) << "the balloon";
    EXPECT_EQ(at(3, 28), kKey) << "beside the arrow the balloon stands in from the window's foot";
    EXPECT_EQ(at(189, 29), 0x000000u) << "the arrow's tip, at the corner nearest the cursor";
    ReleaseDC(w->Handle, dc);
    EXPECT_LE(w->Child("Title")->rect.bottom, 23) << "the title lies within the balloon";
}

TEST_F(Balloons, HoldingTheRightButtonDismissesAHelpText) {
    SmartWindow* w = MakeBalloon(false, false);
    SmartWindowManager* m = ExistingSmartWindowManager();
    m->ClockTooltip = nullptr;
    m->PopupHelp = w;
    m->HelpId = 1207;
    w->IsPopupHelp = true;
    w->ApplyWindowFlags(kHelpWindow | kFreezesSoon);
    ASSERT_TRUE(w->Child("SmallText"));
    std::string first = w->Child("SmallText")->text;
    EXPECT_TRUE(w->TimerRuns(kRightButtonTimer));

    // Released before 2 s: the first line comes back and nothing is sent.
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, true);
    RunFor(15);
    EXPECT_TRUE(w->DismissPending);
    EXPECT_EQ(w->Child("SmallText")->textColor, 0x0000FFu);
    EXPECT_NE(w->Child("SmallText")->text, first);
    RunFor(1000);
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, false);
    RunFor(15);
    EXPECT_FALSE(w->DismissPending);
    EXPECT_EQ(w->Child("SmallText")->text, first);
    EXPECT_EQ(w->Child("SmallText")->textColor, 0u);
    RunFor(3000);
    EXPECT_EQ(main.Count(CN_HELPDISMISSED), 0);
    EXPECT_TRUE(w->Frozen);  // stopped following the cursor after 500 ms

    // Held for 2 s: the confirmation; 2 s later the program hears the help id.
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, true);
    RunFor(2100);
    EXPECT_TRUE(w->HelpDismissed);
    EXPECT_NE(w->Child("SmallText")->text.find("bother you no further"), std::string::npos);
    EXPECT_FALSE(w->TimerRuns(kRightButtonTimer));
    RunFor(2000);
    ASSERT_EQ(main.Count(CN_HELPDISMISSED), 1);
    EXPECT_EQ(main.codeParams.back(), 1207);
    EXPECT_FALSE(w->TimerRuns(kDismissTimer));
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, false);
}

TEST_F(Balloons, AHelpWindowGoingBeforeTheConfirmationStillReportsIt) {
    SmartWindow* w = MakeBalloon(false, false);
    SmartWindowManager* m = ExistingSmartWindowManager();
    m->ClockTooltip = nullptr;
    m->PopupHelp = w;
    m->HelpId = 42;
    w->ApplyWindowFlags(kHelpWindow);
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, true);
    RunFor(2100);
    ASSERT_TRUE(w->HelpDismissed);
    w->RequestClose();
    EXPECT_EQ(main.Count(CN_HELPDISMISSED), 1);
    EXPECT_EQ(m->PopupHelp, nullptr);
    InjectMouseButton(POINT{300, 200}, MouseButton::Right, false);
}

TEST_F(Balloons, TimersRefuseASecondStartAndAnUnknownStop) {
    SmartWindow* w = MakeBalloon(false, false);
    EXPECT_EQ(w->StartTimer(kFollowCursorTimer), kSmartTimerRunning);
    EXPECT_EQ(w->StopTimer(kDismissTimer), kSmartNoSuchTimer);
    EXPECT_EQ(w->StopTimer(kFollowCursorTimer), kSmartOk);
    EXPECT_EQ(w->StartTimer(kFollowCursorTimer), kSmartOk);
    const std::pair<UINT_PTR, UINT> intervals[] = {
        {kFadeInTimer, 10},       {kFadeOutTimer, 10},       {kSlideInTimer, 10},     {kSlideOutTimer, 10},
        {kDragTimer, 1},          {kFollowCursorTimer, 1},   {kTooltipRepaintTimer, 100}, {kClosingHintTimer, 100},
        {kRightButtonTimer, 1},   {kDismissTimer, 2000},     {kFreezeTimer, 500},
    };
    for (auto [id, ms] : intervals) EXPECT_EQ(SmartTimerInterval(id), ms) << id;
}

}  // namespace
}  // namespace smarttest
