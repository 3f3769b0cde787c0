// Alarm windows: place, size, style, layering, slide and fade, closing and its one report.
#include <fstream>

#include "../platform/draw/image_builders.h"
#include "platform/present/desktop_screen.h"
#include "smart_window_support.h"

namespace smarttest {
namespace {

int LineHeight(HFONT font) {
    HDC dc = CreateCompatibleDC(HDC{});
    HGDIOBJ old = SelectObject(dc, font);
    SIZE s{};
    GetTextExtentPoint32(dc, "Ag", &s);
    SelectObject(dc, old);
    DeleteDC(dc);
    return s.cy;
}

TEST_F(SmartWindows, FlagsZeroShowsTheWindowAtOnceAtItsPlace) {
    AlarmCall a;
    a.Fire();
    SmartWindow* w = Newest();
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindowVisible(w->Handle));
    EXPECT_EQ(RectOf(w), (RECT{100, 100, 300, 200}));
    EXPECT_EQ(GetClassNameString(w->Handle), "OZRSW FSingle");
    EXPECT_EQ(GetWindowTextString(w->Handle), "Tea");
    // Without properties: a fixed frame without boxes.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLong(w->Handle, GWL_STYLE)) & 0xFFFF0000u, WS_VISIBLE | (0xCB0000u & ~0x30000u));
    ASSERT_TRUE(w->Child("Title"));
    ASSERT_TRUE(w->Child("Text"));
    EXPECT_EQ(GetWindowTextString(w->Child("Text")->handle), "The tea is ready.");
    // The title font is four points larger than the text's.
    EXPECT_GT(LineHeight(w->TitleFont), LineHeight(w->TextFont));
}

TEST_F(SmartWindows, StylesMakeTheirKindsAndProperties) {
    struct Case {
        std::uint8_t style;
        std::uint32_t properties;
        const char* cls;
        DWORD styleBits;
        DWORD exBits;
        std::string caption;
    } cases[] = {
        {0, 0x4 | 0x10 | 0x20, "OZRSW FSingle", 0xCF0000, 0, "Tea"},
        {0, 0x4, "OZRSW FSingle", 0xCF0000 & ~0x30000u, 0, "Tea"},
        {1, 0, "OZRSW ToolBox", 0xCB0000 & ~0x30000u, WS_EX_TOOLWINDOW, "Tea"},
        {2, 0x40, "OZRSW Drag", WS_POPUP, 0, "OZRSW Drag"},
    };
    for (const Case& c : cases) {
        AlarmCall a;
        a.style = c.style;
        a.properties = c.properties;
        a.Fire();
        SmartWindow* w = Newest();
        ASSERT_TRUE(w);
        EXPECT_EQ(GetClassNameString(w->Handle), c.cls);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLong(w->Handle, GWL_STYLE)) & 0xFFFF0000u, c.styleBits | WS_VISIBLE) << c.cls;
        EXPECT_EQ(static_cast<DWORD>(GetWindowLong(w->Handle, GWL_EXSTYLE)) & WS_EX_TOOLWINDOW, c.exBits);
        EXPECT_EQ(GetWindowTextString(w->Handle), c.caption);
        EXPECT_EQ((w->WindowFlags & kDragStyle) != 0, c.style == 2);
        if (!(c.properties & 0x20)) continue;
        // Maximised by its box, its texts take the whole width: the title stays centred.
        ShowWindow(w->Handle, SW_SHOWMAXIMIZED);
        RECT client;
        GetClientRect(w->Handle, &client);
        EXPECT_EQ(w->Child("Title")->rect.width(), client.right - 4);
    }
}

TEST_F(SmartWindows, PlacesByFlags) {
    struct Case {
        std::uint32_t flags;
        int x, y;
        std::uint8_t position;
        RECT expected;
    } cases[] = {
        {0x40, 100, 100, 0, RECT{540, 462, 740, 562}},     // centred, X and Y ignored
        {0x10, 100, 120, 0, RECT{100, 120, 300, 220}},     // slide without a custom position: no slide
        {0x50, 100, 120, 0, RECT{540, 462, 740, 562}},     // ... and centred with 0x40
        {0x80, 100, 100, 2, RECT{1080, 0, 1280, 100}},     // custom position 2, top right
        {0x80, 100, 100, 6, RECT{0, 924, 200, 1024}},
        {0x01, -1, -1, 0, RECT{540, 462, 740, 562}},       // -1 centres styles 0 and 1
        {0x01, 1200, 1000, 0, RECT{1080, 924, 1280, 1024}},  // past the right and bottom: moved just inside
        {0x00, 1200, 50, 0, RECT{1080, 50, 1280, 150}},     // shown at once: past the right only
        {0x01, 1080, 924, 0, RECT{1080, 924, 1280, 1024}},  // fits: left at X and Y
    };
    const auto fire = [this](const Case& c) {
        AlarmCall a;
        a.flags = c.flags;
        a.x = c.x;
        a.y = c.y;
        a.position = c.position;
        a.Fire();
        return Newest();
    };
    for (const Case& c : cases) {
        SmartWindow* w = fire(c);
        ASSERT_TRUE(w);
        EXPECT_TRUE(IsWindowVisible(w->Handle)) << c.flags;
        EXPECT_EQ(RectOf(w), c.expected) << "flags " << c.flags;
        EXPECT_FALSE(w->Sliding());
    }
    // With panels along the bottom and the left, positions and places keep to the work area.
    SetWorkArea(RECT{40, 0, 1280, 984});
    for (const Case& c : {Case{0x80, 0, 0, 6, RECT{40, 884, 240, 984}}, Case{0x80, 0, 0, 8, RECT{560, 442, 760, 542}},
                          Case{0x01, 1200, 1000, 0, RECT{1080, 884, 1280, 984}}, Case{0x01, 0, 100, 0, RECT{40, 100, 240, 200}}})
        EXPECT_EQ(RectOf(fire(c)), c.expected) << "flags " << c.flags << " position " << int(c.position);
    SetWorkArea(RECT{});
}

TEST_F(SmartWindows, AutoSizeFitsTheTextsAtXAndY) {
    AlarmCall a;
    a.flags = 0x20;
    a.text = "A somewhat longer text that has to wrap over a few lines of the alarm window.";
    a.Fire();
    SmartWindow* w = Newest();
    ASSERT_TRUE(w);
    RECT r = RectOf(w);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    // Wider than high by the screen's aspect, and as high as its texts, frame and 10 pixels.
    EXPECT_GT(r.width(), r.height() * 1280 / 1024);
    RECT client;
    GetClientRect(w->Handle, &client);
    int texts = w->Child("Title")->rect.height() + w->Child("Text")->rect.height();
    EXPECT_EQ(client.height(), texts + 10);
    // No wider than needed: two pixels less would no longer be wide enough.
    EXPECT_LT(r.width() - 2 - 30, r.height() * 1280 / 1024 + 40);
    EXPECT_GT(w->Child("Text")->rect.height(), w->Child("Title")->rect.height());
}

TEST_F(SmartWindows, AutoSizeOfAnUnbrokenTitleStaysWithinTheScreenAndWrapsItThere) {
    StartDesktopScreen();
    AlarmCall a;
    a.flags = 0x20;
    a.title = std::string(3000, 'W');
    a.Fire();
    SmartWindow* w = Newest();
    ASSERT_TRUE(w);
    const RECT r = RectOf(w);
    EXPECT_LE(r.width(), 1280);
    EXPECT_GT(r.width(), 1000) << "as wide as the screen lets it be";
    // The title wraps over many lines, each drawn: its last line holds text too.
    const SmartChild& title = *w->Child("Title");
    const int line = LineHeight(w->TitleFont);
    ASSERT_GT(title.rect.height(), 20 * line);
    EXPECT_LE(title.rect.right, r.width());
    PumpPendingWork();
    HDC dc = GetDC(title.handle);
    int inked = 0;
    for (int y = title.rect.height() - line; y < title.rect.height(); ++y)
        for (int x = 0; x < title.rect.width(); ++x) inked += GetRValue(GetPixel(dc, x, y)) < 100;
    ReleaseDC(title.handle, dc);
    EXPECT_GT(inked, 20);
}

TEST_F(SmartWindows, AutoSizeOfALongTitleOrTextStaysWithinTheWorkAreaCaptionOnScreenAndPaintsItAll) {
    StartDesktopScreen();
    ASSERT_TRUE(StartShell());
    const RECT work = WorkArea();
    std::string words;
    while (words.size() < 20000) words += "ready ";
    struct Case {
        std::string title, text;
        std::int16_t size;
    } cases[] = {{std::string(3000, 'W'), "The tea is ready.", 30}, {"Tea", words, 10}};
    for (const Case& c : cases) {
        AlarmCall a;
        a.flags = 0x60;  // auto size, centred
        a.title = c.title;
        a.text = c.text;
        a.size = c.size;
        a.Fire();
        SmartWindow* w = Newest();
        ASSERT_TRUE(w);
        const RECT r = RectOf(w);
        EXPECT_LE(r.height(), work.bottom - work.top) << c.size;
        EXPECT_GE(r.top, 0) << "the caption stays on the screen";
        EXPECT_LE(r.width(), work.right - work.left);
        RECT client;
        GetClientRect(w->Handle, &client);
        EXPECT_LE(w->Child("Text")->rect.bottom, client.bottom) << "the text is cut inside the window";
        EXPECT_NE(PixelColor(ComposedScreen().at((r.left + r.right) / 2, r.bottom - 6)), RGB(58, 110, 165))
            << "the window's foot is painted";
        w->CloseSmartWindow();
    }
    StopShell();
}

TEST_F(SmartWindows, LayeringFollowsAlphaKeyAndVisuals) {
    struct Case {
        std::uint8_t alpha, visuals;
        COLORREF key;
        bool layered;
        DWORD flags;
        BYTE applied;
    } cases[] = {
        {255, 0, 0, false, 0, 255},
        {200, 2, 0, true, LWA_ALPHA, 200},
        {200, 0, 0, false, 0, 255},  // the layering is taken off again
        {255, 1, 0x00FF00, true, LWA_COLORKEY, 255},
        {128, 3, 0x0000FF, true, LWA_ALPHA | LWA_COLORKEY, 128},
    };
    for (const Case& c : cases) {
        AlarmCall a;
        a.alpha = c.alpha;
        a.visuals = c.visuals;
        a.key = c.key;
        a.Fire();
        SmartWindow* w = Newest();
        bool layered = GetWindowLong(w->Handle, GWL_EXSTYLE) & WS_EX_LAYERED;
        EXPECT_EQ(layered, c.layered) << int(c.alpha) << "/" << int(c.visuals);
        if (!c.layered) continue;
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(w->Handle, &key, &alpha, &flags));
        EXPECT_EQ(flags, c.flags);
        EXPECT_EQ(alpha, c.applied);
        if (c.flags & LWA_COLORKEY) {
            EXPECT_EQ(key, c.key);
        }
    }
}

TEST_F(SmartWindows, SlidesInFromBeyondTheCornerAndOutTheWayItWasSet) {
    AlarmCall a;
    a.flags = 0x90;
    a.position = 4;
    a.slide = SlideSettings{300, -1, 0, 255, 12, 0, 150, -1, 0, 0, 11, 0};
    a.Fire();
    SmartWindow* w = Newest();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->WindowFlags & kSlideManaged, kSlideManaged);
    EXPECT_EQ(RectOf(w).left, 1281);
    EXPECT_EQ(RectOf(w).top, 1025);
    int ticks = TicksUntil([&] { return !w->Sliding(); });
    EXPECT_EQ(ticks, 300 / 15);
    EXPECT_EQ(RectOf(w), (RECT{1080, 924, 1280, 1024}));
    EXPECT_TRUE(IsWindowVisible(w->Handle));

    // Closing turns into the slide out, downwards (direction 11), then the window goes.
    HWND h = w->Handle;
    SendMessage(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(h));
    EXPECT_TRUE(w->TimerRuns(kSlideOutTimer));
    // A second close while it slides out changes nothing.
    SendMessage(h, WM_CLOSE, 0, 0);
    std::vector<POINT> way;
    int outTicks = TicksUntil([&] {
        if (!IsWindow(h)) return true;
        RECT r;
        GetWindowRect(h, &r);
        way.push_back(POINT{r.left, r.top});
        return false;
    });
    EXPECT_EQ(outTicks, 150 / 15);
    EXPECT_EQ(way.back(), (POINT{1080, 924 + (1025 - 924) * 9 / 10}));  // the last step before it went
    for (const POINT& p : way) EXPECT_EQ(p.x, 1080);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Closed(7), 1);
    EXPECT_TRUE(ExistingSmartWindowManager()->AlarmWindows.empty());

    // Over a panel along the bottom, the slide ends above it.
    SetWorkArea(RECT{0, 0, 1280, 984});
    a.Fire();
    w = Newest();
    TicksUntil([&] { return !w->Sliding(); });
    EXPECT_EQ(RectOf(w), (RECT{1080, 884, 1280, 984}));
    SetWorkArea(RECT{});
}

TEST_F(SmartWindows, SlideFadesTakeTheSlidesOpacitiesAndTime) {
    AlarmCall a;
    a.flags = 0x90;
    a.position = 2;
    a.slide = SlideSettings{600, 150, 0, 240, 12, 0, 150, 300, 0, 0, 10, 0};
    a.Fire();
    SmartWindow* w = Newest();
    ASSERT_TRUE(w);
    EXPECT_EQ(RectOf(w).left, 1280);
    EXPECT_EQ(RectOf(w).top, -100);
    EXPECT_TRUE(GetWindowLong(w->Handle, GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_TRUE(w->TimerRuns(kFadeInTimer));
    int fadeTicks = TicksUntil([&] { return !w->TimerRuns(kFadeInTimer); });
    EXPECT_EQ(fadeTicks, 150 / 15);
    BYTE alpha = 0;
    GetLayeredWindowAttributes(w->Handle, nullptr, &alpha, nullptr);
    EXPECT_EQ(alpha, 240);
    TicksUntil([&] { return !w->Sliding(); });
    EXPECT_EQ(RectOf(w), (RECT{1080, 0, 1280, 100}));

    // Out: from its current opacity (start 0) to 0 over 300 ms, while it slides 150 ms to the right.
    HWND h = w->Handle;
    SendMessage(h, WM_CLOSE, 0, 0);
    EXPECT_TRUE(w->TimerRuns(kFadeOutTimer));
    RunFor(90);
    ASSERT_TRUE(IsWindow(h));
    GetLayeredWindowAttributes(h, nullptr, &alpha, nullptr);
    EXPECT_GT(alpha, 0);
    EXPECT_LT(alpha, 240);
    TicksUntil([&] { return !IsWindow(h); });
    EXPECT_EQ(Closed(7), 1);
}

TEST_F(SmartWindows, AnUncomputableSlideOutClosesAtOnceAndTellsTheProgram) {
    AlarmCall a;
    a.id = 12;
    a.flags = 0x90;
    a.position = 0;
    a.slide = SlideSettings{150, -1, 0, 255, 10, 0, 150, -1, 0, 0, 0, 0};  // slide-out direction 0
    a.Fire();
    SmartWindow* w = Newest();
    TicksUntil([&] { return !w->Sliding(); });
    HWND h = w->Handle;
    SendMessage(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Closed(12), 1);
}

TEST_F(SmartWindows, AnUncomputableSlideInShowsTheWindowAtItsPlace) {
    AlarmCall a;
    a.flags = 0x90;
    a.position = 6;
    a.slide.SlideInDirection = 0;
    a.Fire();
    SmartWindow* w = Newest();
    EXPECT_FALSE(w->Sliding());
    EXPECT_TRUE(IsWindowVisible(w->Handle));
    EXPECT_EQ(RectOf(w), (RECT{0, 924, 200, 1024}));
}

TEST_F(SmartWindows, ASlideWaitsInTheQueueAndAThirdIsIgnored) {
    AlarmCall a;
    a.flags = 0x90;
    a.position = 0;
    a.slide.SlideInTime = 150;
    a.slide.SlideInDirection = 10;
    a.Fire();
    SmartWindow* w = Newest();
    w->StartSlide(11, 6, 0, 255, 150, -1);   // waits
    w->StartSlide(12, 2, 0, 255, 150, -1);   // ignored
    EXPECT_TRUE(w->Queued.pending);
    int ticks = TicksUntil([&] { return !w->Sliding(); });
    EXPECT_EQ(ticks, 20);
    EXPECT_EQ(RectOf(w), (RECT{0, 924, 200, 1024}));
    EXPECT_FALSE(w->Queued.pending);
}

TEST_F(SmartWindows, TestWindowsReportMinusOneAndEveryWindowReportsOnce) {
    AlarmCall test;
    test.id = -1;
    test.Fire();
    AlarmCall other;
    other.id = 3;
    other.Fire();
    HWND t = ExistingSmartWindowManager()->AlarmWindows[0].window->Handle;
    HWND o = Newest()->Handle;
    SendMessage(t, WM_CLOSE, 0, 0);
    // Destroyed by some other path than its own close.
    DestroyWindow(o);
    PumpPendingWork();
    EXPECT_EQ(Closed(-1), 1);
    EXPECT_EQ(Closed(3), 1);
    EXPECT_EQ(main.Count(CN_ALARMWINDOWCLOSED), 2);
    EXPECT_TRUE(ExistingSmartWindowManager()->AlarmWindows.empty());
}

TEST_F(SmartWindows, AnUnknownStyleMakesNoWindowAndReportsNothing) {
    AlarmCall a;
    a.style = 3;
    a.Fire();
    EXPECT_FALSE(FindWindow("OZRSW FSingle", nullptr));
    FreeSmartWindowManager();
    EXPECT_EQ(main.Count(CN_ALARMWINDOWCLOSED), 0);
}

TEST_F(SmartWindows, KillingAllClosesEveryWindowEachReportedOnce) {
    for (int id = 1; id <= 3; ++id) {
        AlarmCall a;
        a.id = id;
        a.flags = id == 2 ? 0x90 : 0;  // one slides out first
        a.slide.SlideOutTime = 30;
        a.Fire();
    }
    OZRKillSmartWindows();
    EXPECT_EQ(Closed(1), 1);
    EXPECT_EQ(Closed(3), 1);
    TicksUntil([&] { return ExistingSmartWindowManager()->AlarmWindows.empty(); });
    EXPECT_EQ(Closed(2), 1);
    EXPECT_EQ(main.Count(CN_ALARMWINDOWCLOSED), 3);
}

TEST_F(SmartWindows, HitTestKeepsCaptionAndBordersOnlyWhenAllowed) {
    auto hit = [](HWND h, int x, int y) { return SendMessage(h, WM_NCHITTEST, 0, MakePointParam(x, y)); };
    AlarmCall movable;
    movable.properties = 0x4 | 0x8 | 0x40;
    movable.Fire();
    HWND m = Newest()->Handle;
    EXPECT_EQ(hit(m, 150, 110), HTCAPTION);
    EXPECT_EQ(hit(m, 101, 150), HTLEFT);
    EXPECT_EQ(hit(m, 150, 150), HTCLIENT);

    AlarmCall fixed;
    fixed.properties = 0x4;  // a sizing frame whose borders cannot be dragged, not movable
    fixed.Fire();
    HWND f = Newest()->Handle;
    EXPECT_TRUE(GetWindowLong(f, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_EQ(hit(f, 150, 110), HTBORDER);
    EXPECT_EQ(hit(f, 101, 150), HTBORDER);
    EXPECT_EQ(hit(f, 298, 198), HTBORDER);
}

TEST_F(SmartWindows, DragStyleShowsTheClosingHintWhileTheButtonIsDown) {
    AlarmCall drag;
    drag.style = 2;
    drag.properties = 0x40;
    drag.Fire();
    SmartWindow* w = Newest();
    HWND text = w->Child("Text")->handle;
    InjectMouseButton(POINT{150, 150}, MouseButton::Left, true);
    PumpPendingWork();
    EXPECT_EQ(GetWindowTextString(text), kClosingHint);
    InjectMouseButton(POINT{150, 150}, MouseButton::Left, false);
    PumpPendingWork();
    EXPECT_EQ(GetWindowTextString(text), "The tea is ready.");

    // Without a slide-in time the hint also tells how to move the window, and shows whole in a
    // window of a fixed size too small for it in the text's font; the cursor leaving puts the
    // text back as it was.
    drag.slide.SlideInTime = 0;
    drag.x = 500;
    drag.width = 300;
    drag.height = 120;
    drag.size = 14;
    drag.properties = 0;  // not movable: it stays where it is while the button is down
    drag.Fire();
    SmartWindow* second = Newest();
    const RECT textBefore = second->Child("Text")->rect;
    InjectMouseButton(POINT{550, 150}, MouseButton::Left, true);
    PumpPendingWork();
    const SmartChild& hint = *second->Child("Text");
    EXPECT_EQ(GetWindowTextString(hint.handle), kClosingHintWithDrag);
    HDC dc = CreateCompatibleDC(HDC{});
    HGDIOBJ old = SelectObject(dc, hint.font);
    RECT need{0, 0, hint.rect.width(), 0};
    DrawText(dc, kClosingHintWithDrag, &need, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_GE(hint.rect.height(), need.height()) << "the hint is cut";
    EXPECT_LE(hint.rect.bottom, 120);
    InjectMouseMove(POINT{900, 600});
    RunFor(120);
    EXPECT_EQ(GetWindowTextString(second->Child("Text")->handle), "The tea is ready.");
    EXPECT_EQ(second->Child("Text")->font, second->TextFont);
    EXPECT_EQ(second->Child("Text")->rect, textBefore);
    // The first window's text never changed meanwhile.
    EXPECT_EQ(GetWindowTextString(text), "The tea is ready.");
    InjectMouseButton(POINT{900, 600}, MouseButton::Left, false);
    PumpPendingWork();
}

TEST_F(SmartWindows, StylesZeroAndOneShowNoHint) {
    for (std::uint8_t style : {0, 1}) {
        AlarmCall a;
        a.style = style;
        a.Fire();
        SmartWindow* w = Newest();
        InjectMouseButton(POINT{150, 150}, MouseButton::Left, true);
        PumpPendingWork();
        EXPECT_EQ(GetWindowTextString(w->Child("Text")->handle), "The tea is ready.");
        InjectMouseButton(POINT{150, 150}, MouseButton::Left, false);
        PumpPendingWork();
        DestroyWindow(w->Handle);
    }
}

TEST_F(SmartWindows, DoubleClickClosesADragWindowAndDraggingMovesIt) {
    AlarmCall drag;
    drag.style = 2;
    drag.properties = 0x40;
    drag.Fire();
    SmartWindow* w = Newest();
    HWND h = w->Handle;
    InjectMouseMove(POINT{150, 150});
    InjectMouseButton(POINT{150, 150}, MouseButton::Left, true);
    RunFor(30);
    InjectMouseMove(POINT{250, 190});
    RunFor(30);
    InjectMouseButton(POINT{250, 190}, MouseButton::Left, false);
    RunFor(30);
    EXPECT_EQ(RectOf(w).left, 200);
    EXPECT_EQ(RectOf(w).top, 140);
    EXPECT_FALSE(w->TimerRuns(kDragTimer));

    InjectMouseButton(POINT{250, 190}, MouseButton::Left, true);
    InjectMouseButton(POINT{250, 190}, MouseButton::Left, false);
    InjectMouseButton(POINT{250, 190}, MouseButton::Left, true);
    InjectMouseButton(POINT{250, 190}, MouseButton::Left, false);
    PumpPendingWork();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(Closed(7), 1);
}

TEST_F(SmartWindows, TheBackgroundPictureIsDrawnBehindTheTextsAndTheIconIsTheWindowsOwn) {
    StartDesktopScreen();
    // A picture in one colour, written as a BMP, and a red icon.
    const std::string path = ::testing::TempDir() + "/ozr-alarm-back.bmp", icon = ::testing::TempDir() + "/ozr-alarm.ico";
    auto write = [](const std::string& file, const drawtest::Bytes& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    write(path, drawtest::MakeBmp(drawtest::MakeDib(24, 40, 40, true, {}, [](int, int) { return 0x008000u; }), 0));
    const std::function<bool(int, int)> noMask = [](int, int) { return false; };
    write(icon, drawtest::MakeIco({{16, 32, drawtest::MakeDib(32, 16, 16, false, {}, [](int, int) { return 0xFFFF0000u; }, &noMask)}}));
    AlarmCall a;
    a.background = path;
    a.icon = icon;
    a.Fire();
    SmartWindow* w = Newest();
    EXPECT_TRUE(w->Background);
    EXPECT_EQ(w->BackColor, 0xC8C8C8u);
    EXPECT_TRUE(w->Child("Text")->transparentDrawing);
    // Its caption shows the alarm's icon, and the desktop's task lists get it too.
    ASSERT_TRUE(w->Icon);
    EXPECT_EQ(static_cast<std::uint32_t>(SendMessage(w->Handle, WM_GETICON, ICON_BIG, 0)), w->Icon.id());
    const RECT r = RectOf(w);
    int red = 0;
    for (int y = r.top; y < r.top + 24; ++y)
        for (int x = r.left; x < r.left + 24; ++x) red += PixelColor(ComposedScreen().at(x, y)) == RGB(255, 0, 0);
    EXPECT_GT(red, 100);

    AlarmCall missing;
    missing.background = "/nonexistent/picture.bmp";
    missing.icon = "/nonexistent/icon.ico";
    missing.Fire();
    EXPECT_FALSE(Newest()->Background);
    EXPECT_TRUE(IsWindowVisible(Newest()->Handle));
    EXPECT_EQ(SendMessage(Newest()->Handle, WM_GETICON, ICON_BIG, 0), 0) << "the program's icon";
}

}  // namespace
}  // namespace smarttest
