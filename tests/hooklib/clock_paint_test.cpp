// The painting of the taken-over tray clock: the three styles, the labels in their fonts and
// colours, and the transparency modes, on each edge of the taskbar.
#include "label_batch_support.h"

#include "platform/draw/gdi.h"
#include "platform/draw/system_colors.h"
#include "platform/present/desktop_screen.h"

using namespace platform;
using namespace cliblib;

namespace {

constexpr COLORREF kButtonFace = RGB(212, 208, 200);
const char* const kRecapture = "{PaintClock}: Ruriv rectangle changed. Recapturing background for transparent mode.";
const char* const kNoGradient = "{PaintClock}: Full Transparency mode switched off! No TaskBar gradient detected!";
const char* const kOldSystem = "{PaintClock}: Old OS -> Easy Transparency Mode Activated!";

bool Vertical(TaskbarEdge edge) { return edge == TaskbarEdge::Left || edge == TaskbarEdge::Right; }

const char* FreezeLine(TaskbarEdge edge) {
    return Vertical(edge) ? "{PaintClock}: Froze HORIZONTAL background." : "{PaintClock}: Froze VERTICAL background.";
}

class ClockPainting : public LoadedLibrary {
protected:
    void SetUp() override {
        LoadedLibrary::SetUp();
        StartTaskbar();
        StartDesktopScreen();
        SetUpSystrayClock();
        lib.OZRSetClockBackground(RGB(0, 0, 128));
    }
    void Hook(TaskbarEdge edge = TaskbarEdge::Bottom) {
        MoveTaskbarToEdge(edge);
        PumpPendingWork();
        ASSERT_NE(lib.OZRHookSystem(), 0u);
        edge_ = edge;
    }
    // One paint of the whole clock, as a refresh tick makes it.
    void Paint() {
        InvalidateRect(bar.clock, nullptr, 1);
        SendMessage(bar.clock, WM_PAINT, 0, 0);
    }
    RECT Client() {
        RECT r;
        GetClientRect(bar.clock, &r);
        return r;
    }
    // What the clock shows, read back from its window.
    COLORREF ClockAt(int x, int y) {
        HDC dc = GetDC(bar.clock);
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(bar.clock, dc);
        return c;
    }
    int CountInClock(const std::function<bool(COLORREF)>& match) {
        const RECT r = Client();
        HDC dc = GetDC(bar.clock);
        int n = 0;
        for (int y = 0; y < r.bottom; ++y)
            for (int x = 0; x < r.right; ++x)
                if (match(GetPixel(dc, x, y))) ++n;
        ReleaseDC(bar.clock, dc);
        return n;
    }
    std::vector<COLORREF> ClockPixels() {
        std::vector<COLORREF> pixels;
        CountInClock([&pixels](COLORREF c) {
            pixels.push_back(c);
            return false;
        });
        return pixels;
    }
    void FillClock(COLORREF colour) {
        const RECT clock = Client();
        HDC dc = GetDC(bar.clock);
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &clock, brush);
        DeleteObject(brush);
        ReleaseDC(bar.clock, dc);
    }
    int CountColour(COLORREF colour) {
        return CountInClock([colour](COLORREF c) { return c == colour; });
    }
    // Pixels close to the colour: the inside of antialiased text.
    int CountNear(COLORREF colour) {
        return CountInClock([colour](COLORREF c) {
            return std::abs(GetRValue(c) - GetRValue(colour)) < 60 && std::abs(GetGValue(c) - GetGValue(colour)) < 60 &&
                   std::abs(GetBValue(c) - GetBValue(colour)) < 60;
        });
    }
    int CountNearIn(const RECT& area, COLORREF colour) {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) {
                const COLORREF c = ClockAt(x, y);
                if (std::abs(GetRValue(c) - GetRValue(colour)) < 60 && std::abs(GetGValue(c) - GetGValue(colour)) < 60 &&
                    std::abs(GetBValue(c) - GetBValue(colour)) < 60)
                    ++n;
            }
        return n;
    }
    // The taskbar's own background at a pixel of the clock: the notification area's margin beside
    // the clock shows it for the same row (horizontal taskbar) or column (vertical taskbar).
    COLORREF TaskbarBehind(int x, int y) {
        RECT clock;
        GetWindowRect(bar.clock, &clock);
        const Surface& screen = ComposedScreen();
        return Vertical(edge_) ? PixelColor(screen.at(clock.left + x, clock.bottom + 1))
                               : PixelColor(screen.at(clock.right + 1, clock.top + y));
    }
    std::int32_t Status(std::int32_t kind) {
        std::int32_t out = -1, out2 = -1;
        lib.OZRRequestDLLStatus(kind, &out, &out2);
        return out;
    }
    void Screenshot(const std::string& name) {
        PumpPendingWork();
        const std::string path = ::testing::TempDir() + "/ozr-" + name + ".png";
        EXPECT_TRUE(WriteWindowScreenshot(bar.taskbar, path)) << path;
    }
    TaskbarEdge edge_ = TaskbarEdge::Bottom;
};

const TaskbarEdge kEdges[] = {TaskbarEdge::Bottom, TaskbarEdge::Left, TaskbarEdge::Top, TaskbarEdge::Right};

std::string EdgeName(TaskbarEdge edge) {
    switch (edge) {
        case TaskbarEdge::Left: return "left";
        case TaskbarEdge::Right: return "right";
        case TaskbarEdge::Top: return "top";
        case TaskbarEdge::Bottom: break;
    }
    return "bottom";
}

// The program's default labels, in a size that fits two lines into a horizontal taskbar and the
// date into a vertical one.
std::vector<LabelEntry> DefaultLabels() {
    return {{"achh:mm:ss", 8, 700, RGB(0, 0, 0), RGB(255, 255, 255)},
            {"acYYYY-MM-DD", 8, 400, RGB(255, 255, 255), RGB(0, 0, 0)}};
}

TEST_F(ClockPainting, TheLabelsArePaintedWhereTheProgramPutsThemAndTheClockTakesTheirSize) {
    for (TaskbarEdge edge : kEdges) {
        SCOPED_TRACE(EdgeName(edge));
        SetTaskbarBackground(TaskbarBackground{});
        Hook(edge);
        StackingProgram program(lib, main, DefaultLabels());
        SendLabels(lib, main, DefaultLabels());
        RunFor(400);
        const SIZE time = program.TextSize(0), date = program.TextSize(1);
        ASSERT_GT(time.cx, 30);
        const RECT clock = Client();
        if (Vertical(edge))
            EXPECT_EQ(clock.height(), time.cy + date.cy + 4);
        else
            EXPECT_EQ(clock.width(), std::max(time.cx, date.cx) + 4);
        // Each label on its own back colour (they differ from the clock's), the time in white, the
        // date in black; the clock's background around them.
        const POINT timeAt = program.Position(0), dateAt = program.Position(1);
        const RECT timeBox{timeAt.x, timeAt.y, timeAt.x + time.cx, timeAt.y + time.cy};
        const RECT dateBox{dateAt.x, dateAt.y, dateAt.x + date.cx, dateAt.y + date.cy};
        EXPECT_EQ(ClockAt(timeBox.left, timeBox.top), RGB(0, 0, 0));
        EXPECT_EQ(ClockAt(dateBox.right - 1, dateBox.bottom - 1), RGB(255, 255, 255));
        EXPECT_GT(CountNearIn(timeBox, RGB(255, 255, 255)), 30);
        EXPECT_GT(CountNearIn(dateBox, RGB(0, 0, 0)), 30);
        EXPECT_EQ(ClockAt(clock.right - 1, clock.bottom - 1), RGB(0, 0, 128));
        Screenshot("labels-" + EdgeName(edge));

        // A longer text widens the clock; a vertical taskbar grows as wide as the clock asks.
        lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 8, 700, 0, 0, 0, 0, 0xFFFFFF, "achh:mm:ss DDDD", 0xFF);
        RunFor(1500);
        ASSERT_GT(program.TextSize(0).cx + 4, clock.width());
        EXPECT_EQ(Client().width(), program.TextSize(0).cx + 4);
        main.onRecord = nullptr;
        lib.OZRUnHookSystem();
    }
}

TEST_F(ClockPainting, FullTransparencyCopiesTheTaskbarsGradientAndFreezesIt) {
    lib.OZRSetClockPaintThreshold(3);
    for (TaskbarEdge edge : kEdges) {
        SCOPED_TRACE(EdgeName(edge));
        Hook(edge);
        lib.OZRSetClockWidth(40);
        lib.OZRSetClockHeight(16);
        PumpPendingWork();  // the notification area paints itself around the sized clock
        main.lines.clear();
        lib.OZRSetClockTransparent(1);
        for (int i = 0; i < 4; ++i) Paint();
        EXPECT_EQ(lib.share->BackgroundFrozen, 1);
        EXPECT_EQ(main.CountLines(FreezeLine(edge)), 1);
        EXPECT_EQ(Status(1), 1);
        EXPECT_GE(Status(2), 8);
        PumpPendingWork();
        const RECT clock = Client();
        for (POINT p : {POINT{0, 0}, POINT{clock.right / 2, clock.bottom / 2}, POINT{clock.right - 1, clock.bottom - 1}})
            EXPECT_EQ(ClockAt(p.x, p.y), TaskbarBehind(p.x, p.y)) << p.x << "," << p.y;
        lib.OZRUnHookSystem();
    }
}

TEST_F(ClockPainting, ATransparentClockShowsItsLabelsOverTheTaskbarOnEachEdge) {
    lib.OZRSetClockPaintThreshold(20);
    lib.OZRSetClockTransparent(1);
    for (TaskbarEdge edge : kEdges) {
        SCOPED_TRACE(EdgeName(edge));
        Hook(edge);
        StackingProgram program(lib, main, DefaultLabels());
        SendLabels(lib, main, DefaultLabels());
        RunFor(3000);  // the refresh paints capture the background, then it is frozen
        EXPECT_EQ(lib.share->BackgroundFrozen, 1);
        EXPECT_EQ(Status(1), 1);
        const RECT clock = Client();
        const SIZE time = program.TextSize(0), date = program.TextSize(1);
        const POINT timeAt = program.Position(0), dateAt = program.Position(1);
        // The text without its back colour; the taskbar where there is no text.
        EXPECT_GT(CountNearIn(RECT{timeAt.x, timeAt.y, timeAt.x + time.cx, timeAt.y + time.cy}, RGB(255, 255, 255)), 30);
        EXPECT_GT(CountNearIn(RECT{dateAt.x, dateAt.y, dateAt.x + date.cx, dateAt.y + date.cy}, RGB(0, 0, 0)), 30);
        EXPECT_EQ(CountColour(RGB(255, 255, 255)) + CountColour(RGB(0, 0, 0)) < clock.width() * clock.height() / 2, true);
        EXPECT_EQ(ClockAt(clock.right - 1, clock.bottom - 1), TaskbarBehind(clock.right - 1, clock.bottom - 1));
        Screenshot("transparent-" + EdgeName(edge));
        main.onRecord = nullptr;
        lib.OZRUnHookSystem();
    }
}

TEST_F(ClockPainting, AFlatTaskbarTurnsFullIntoEasyTransparency) {
    SetTaskbarBackground(TaskbarBackground{RGB(40, 90, 40), RGB(40, 90, 40), false});
    lib.OZRSetClockPaintThreshold(3);
    Hook();
    lib.OZRSetClockWidth(40);
    lib.OZRSetClockTransparent(1);  // the first of three paints
    Paint();
    EXPECT_EQ(lib.share->Transparent, 1);
    Paint();
    EXPECT_EQ(lib.share->Transparent, 0);
    EXPECT_EQ(lib.share->EasyTransparency, 1);
    EXPECT_TRUE(main.Logged(kNoGradient));
    EXPECT_EQ(Status(1), 2);
    EXPECT_EQ(Status(2), 1);
    EXPECT_EQ(CountColour(kButtonFace), Client().width() * Client().height());
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), kButtonFace);

    // Easy transparency stays until transparency is set again.
    SetTaskbarBackground(TaskbarBackground{});
    PumpPendingWork();
    for (int i = 0; i < 5; ++i) Paint();
    EXPECT_EQ(lib.share->EasyTransparency, 1);
    lib.OZRSetClockTransparent(0);
    Paint();
    EXPECT_EQ(Status(1), 0);
    EXPECT_EQ(CountColour(RGB(0, 0, 128)), Client().width() * Client().height());
}

TEST_F(ClockPainting, AnOldSystemShowsTheButtonFaceFromTheFirstPaint) {
    Hook();
    lib.OZRSetClockWidth(40);
    lib.share->OSCode = 5;
    InvalidateRect(bar.clock, nullptr, 1);
    lib.OZRSetClockTransparent(1);  // paints once
    EXPECT_TRUE(main.Logged(kOldSystem));
    EXPECT_EQ(Status(1), 3);
    EXPECT_EQ(lib.share->ColourCount, 0);
    EXPECT_EQ(CountColour(kButtonFace), Client().width() * Client().height());
}

struct ThresholdCase {
    std::int16_t threshold;
    int decidingPaint;
};

TEST_F(ClockPainting, TheFreezeDecisionFallsOnThePaintThatEndsTheCountdown) {
    Hook();
    lib.OZRSetClockWidth(40);
    PumpPendingWork();
    for (ThresholdCase c : {ThresholdCase{0, 1}, ThresholdCase{1, 1}, ThresholdCase{20, 20}, ThresholdCase{-3, 1}}) {
        SCOPED_TRACE(c.threshold);
        lib.OZRSetClockPaintThreshold(c.threshold);
        lib.OZRSetClockTransparent(1);  // the first paint
        int paints = 1;
        while (!lib.share->BackgroundFrozen && paints < 30) {
            Paint();
            ++paints;
        }
        EXPECT_EQ(paints, c.decidingPaint);
        EXPECT_EQ(lib.share->Transparent, 1);
    }
}

TEST_F(ClockPainting, TransparencySetAgainProbesTheTaskbarAfresh) {
    lib.OZRSetClockPaintThreshold(0);
    SetTaskbarBackground(TaskbarBackground{RGB(40, 90, 40), RGB(40, 90, 40), false});
    Hook();
    lib.OZRSetClockWidth(40);
    PumpPendingWork();
    lib.OZRSetClockTransparent(1);
    EXPECT_EQ(lib.share->EasyTransparency, 1);
    // The strip of the flat taskbar is still there; the new decision must not rest on it.
    SetTaskbarBackground(TaskbarBackground{});
    PumpPendingWork();
    lib.OZRSetClockTransparent(1);
    EXPECT_EQ(lib.share->EasyTransparency, 0);
    EXPECT_EQ(lib.share->BackgroundFrozen, 1);
}

TEST_F(ClockPainting, AResizedClockIsCapturedAgainAndAnEmptyOneIsNeverDecidedOn) {
    lib.OZRSetClockPaintThreshold(0);
    Hook();  // the program has not sized the clock yet: it is 0 pixels wide
    lib.OZRSetClockTransparent(1);
    RunFor(1000);
    EXPECT_EQ(Client().width(), 0);
    EXPECT_EQ(lib.share->Transparent, 1);
    EXPECT_EQ(lib.share->BackgroundFrozen, 0);
    EXPECT_EQ(lib.share->EasyTransparency, 0);
    EXPECT_EQ(lib.share->ColourCount, 0);

    lib.OZRSetClockWidth(40);
    PumpPendingWork();
    Paint();
    EXPECT_EQ(lib.share->BackgroundFrozen, 1);
    EXPECT_TRUE(main.Logged(kRecapture));

    // A frozen clock that changes size captures again, for the threshold's paints.
    lib.OZRSetClockPaintThreshold(5);
    main.lines.clear();
    lib.OZRSetClockWidth(70);
    EXPECT_TRUE(main.Logged(kRecapture));
    EXPECT_EQ(lib.share->BackgroundFrozen, 0);
    PumpPendingWork();
    for (int i = 0; i < 5; ++i) Paint();
    EXPECT_EQ(lib.share->BackgroundFrozen, 1);
    PumpPendingWork();
    EXPECT_EQ(ClockAt(69, 10), TaskbarBehind(69, 10));
}

TEST_F(ClockPainting, EachStyleDrawsItsOwnWay) {
    Hook();
    lib.OZRSetClockWidth(40);
    const RECT clock = Client();
    const int all = clock.width() * clock.height();

    // Style 1 shows the main window's image.
    HDC mainDc = GetWindowDC(main.hwnd);
    RECT mainArea{0, 0, 100, 50};
    HBRUSH green = CreateSolidBrush(RGB(10, 200, 30));
    FillRect(mainDc, &mainArea, green);
    DeleteObject(green);
    ReleaseDC(main.hwnd, mainDc);
    lib.OZRSetClockStyle(1);
    Paint();
    EXPECT_EQ(CountColour(RGB(10, 200, 30)), all);

    // Style 3 and an unknown style leave the clock as it is.
    struct Untouched {
        std::int16_t style;
        bool logged;
    };
    for (Untouched c : {Untouched{3, false}, Untouched{0, true}, Untouched{4, true}}) {
        SCOPED_TRACE(c.style);
        FillClock(RGB(255, 0, 255));
        main.lines.clear();
        lib.OZRSetClockStyle(c.style);
        Paint();
        EXPECT_EQ(CountColour(RGB(255, 0, 255)), all);
        EXPECT_EQ(main.Logged("{PaintClock}: ERROR! Unknown/invalid parameter specified!"), c.logged);
    }
    lib.OZRSetClockStyle(2);
    Paint();
    EXPECT_EQ(CountColour(RGB(0, 0, 128)), all);
}

TEST_F(ClockPainting, OnlyShownLabelsWithASizeGetAFontAndEveryFontGoesWithItsLabel) {
    Hook();
    lib.OZRSetClockWidth(60);
    Paint();
    const std::size_t hooked = LiveGdiObjectCount();  // with the stock objects the painting uses
    SendLabels(lib, main,
               {{"ss", 10, 400, RGB(0, 0, 128), RGB(255, 255, 0)},
                {"mm", 10, 400, RGB(0, 0, 128), RGB(255, 0, 0), 0},
                {"hh", 0, 400, RGB(0, 0, 128), RGB(0, 255, 0)}});
    Paint();
    EXPECT_EQ(LiveGdiObjectCount(), hooked + 1);
    EXPECT_GT(CountNear(RGB(255, 255, 0)), 5);
    EXPECT_EQ(CountNear(RGB(255, 0, 0)), 0);
    EXPECT_EQ(CountNear(RGB(0, 255, 0)), 0);
    EXPECT_TRUE(main.Logged("TRR-NRM-TIM-SEC"));
    EXPECT_FALSE(main.Logged("TRR-NRM-TIM-MIN"));
    EXPECT_FALSE(main.Logged("TRR-NRM-TIM-HOU"));

    // New properties delete the label's font; the next paint makes one again.
    lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 12, 700, 0, 0, 0, RGB(0, 0, 128), RGB(255, 255, 0), "ss", 0xFF);
    EXPECT_TRUE(main.Logged("{CALLBACK => MsgProc}: Deleted old font. Result: 1"));
    Paint();
    EXPECT_EQ(LiveGdiObjectCount(), hooked + 1);
    // The hidden label had none to delete.
    lib.OZRSetClockLabelProperties(1, 0, 0, "Arial", 10, 400, 0, 0, 0, 0, 0, "mm", 0);
    EXPECT_EQ(main.CountLines("{CALLBACK => MsgProc}: Deleted old font. Result: 1"), 1);

    // A new label count and the unload take the fonts with the labels; the unload takes the
    // clock's kept image too.
    SendLabels(lib, main, {{"ss"}});
    Paint();
    EXPECT_EQ(LiveGdiObjectCount(), hooked + 1);

    // A label only reported to the program, such as a tooltip's, is parsed but never painted.
    SendLabels(lib, main, {{"ss", 10, 400, RGB(0, 0, 128), RGB(255, 255, 0)}, {"!tooltipss", 10, 400, RGB(0, 0, 128), RGB(0, 255, 255)}});
    Paint();
    EXPECT_GT(CountNear(RGB(255, 255, 0)), 5);
    EXPECT_EQ(CountNear(RGB(0, 255, 255)), 0);
    const std::size_t dcs = LiveDcCount();
    lib.OZRUnHookSystem();
    EXPECT_EQ(LiveGdiObjectCount(), hooked - 1);
    EXPECT_EQ(LiveDcCount(), dcs - 1);
}

// A refresh that would draw what the clock shows already draws nothing and makes no drawing
// object, not even a paint context; whatever changes, or draws over the clock, is drawn at the next one.
TEST_F(ClockPainting, ARefreshThatWouldDrawTheSameOnlyCopiesTheKeptImage) {
    lib.OZRSetClockPaintThreshold(0);
    Hook();
    lib.OZRSetClockWidth(60);
    SendLabels(lib, main, {{"ss", 10, 400, RGB(0, 0, 128), RGB(255, 255, 0)}});
    PumpPendingWork();
    struct Mode {
        const char* name;
        std::uint8_t transparent;
    };
    for (Mode mode : {Mode{"opaque", 0}, Mode{"frozen transparency", 1}}) {
        SCOPED_TRACE(mode.name);
        lib.OZRSetClockTransparent(mode.transparent);
        Paint();
        ASSERT_EQ(lib.share->BackgroundFrozen, mode.transparent);
        const std::vector<COLORREF> shown = ClockPixels();
        ASSERT_GT(CountNear(RGB(255, 255, 0)), 5);
        const std::size_t objects = MadeGdiObjectCount(), dcs = MadeDcCount();
        for (int i = 0; i < 5; ++i) Paint();
        EXPECT_EQ(MadeGdiObjectCount(), objects);
        EXPECT_EQ(MadeDcCount(), dcs);
        EXPECT_EQ(ClockPixels(), shown);

        // Something else drew over the clock: the next refresh shows the clock again.
        FillClock(RGB(255, 0, 255));
        Paint();
        EXPECT_EQ(ClockPixels(), shown);

        // The next second is drawn; a minute later the same seconds are the same pixels again.
        RunFor(1000);
        EXPECT_NE(ClockPixels(), shown);
        RunFor(59000);
        EXPECT_EQ(ClockPixels(), shown);

        // So are new label colours and a new clock colour.
        lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 10, 400, 0, 0, 0, RGB(0, 0, 128), RGB(0, 255, 255), "ss", 0xFF);
        Paint();
        EXPECT_EQ(CountNear(RGB(255, 255, 0)), 0);
        EXPECT_GT(CountNear(RGB(0, 255, 255)), 5);
        lib.OZRSetClockBackground(RGB(0, 128, 0));
        Paint();
        EXPECT_EQ(CountColour(RGB(0, 128, 0)) > 0, mode.transparent == 0);
        // So is a new script, within the same second.
        const int oneSecondText = CountNear(RGB(0, 255, 255));
        lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 10, 400, 0, 0, 0, RGB(0, 0, 128), RGB(0, 255, 255), "ss ss", 0xFF);
        Paint();
        EXPECT_GT(CountNear(RGB(0, 255, 255)), oneSecondText + 5);
        lib.OZRSetClockBackground(RGB(0, 0, 128));
        lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 10, 400, 0, 0, 0, RGB(0, 0, 128), RGB(255, 255, 0), "ss", 0xFF);
    }
}

}  // namespace
