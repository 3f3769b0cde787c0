// An alarm window fired through the library on the headless desktop: where it shows, what it
// shows, how it slides and fades in and out, and the report the main window receives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "core/frm_main.h"
#include "core/library_binding.h"
#include "desktop_harness.h"
#include "platform/present/desktop_screen.h"
#include "platform/services/paths.h"
#include "platform/window/screen.h"
#include "tests/support/recording_sound_output.h"

using namespace platform;
using namespace desktop;

namespace {

const char* kLaterRun = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";

DesktopOptions LaterRun() {
    DesktopOptions o;
    o.clock = "2026-03-01T13:04:05";
    o.prepare = [](const std::filesystem::path& folder) { std::ofstream(folder / "Settings.ozrini") << kLaterRun; };
    return o;
}

// The main window's reports, seen through a subclass that passes everything on.
struct Report {
    WPARAM code;
    LPARAM param;
};
std::vector<Report> g_reports;
LONG g_previous = 0;
LRESULT RecordReports(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == hooklib::WM_CLOCKNOTIFY) g_reports.push_back(Report{wParam, lParam});
    return CallWindowProc(g_previous, hwnd, msg, wParam, lParam);
}

// The program started, its main window's reports recorded while this lives.
struct RecordedDesktop {
    RecordedDesktop() {
        EXPECT_TRUE(d.Start());
        d.Advance(500);
        g_reports.clear();
        g_previous = SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, AddressOf(RecordReports));
    }
    ~RecordedDesktop() { SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, g_previous); }
    Desktop d{LaterRun()};
};

BYTE OpacityOf(HWND h) {
    BYTE alpha = 255;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(h, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) return 255;
    return alpha;
}

// Pixels near a colour (the window is a little see-through, so its colours blend slightly).
int PixelsOf(const RECT& r, COLORREF colour) {
    const Surface& screen = ComposedScreen();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            std::uint32_t p = screen.row(y)[x];
            int dr = std::abs(static_cast<int>((p >> 16) & 0xFF) - GetRValue(colour));
            int dg = std::abs(static_cast<int>((p >> 8) & 0xFF) - GetGValue(colour));
            int db = std::abs(static_cast<int>(p & 0xFF) - GetBValue(colour));
            n += dr < 40 && dg < 40 && db < 40;
        }
    return n;
}

TEST(AlarmWindow, FiredThroughTheLibraryItSlidesFadesShowsItsLookAndClosesOnADoubleClick) {
    RecordedDesktop recorded;
    Desktop& d = recorded.d;

    // A style-2 window at the bottom-right corner, sliding in diagonally over 450 ms and fading
    // to 230 over 300 ms; out to the right over 300 ms, fading to 0.
    const hooklib::SlideSettings slide{450, 300, 0, 230, 12, 0, 300, 300, 0, 0, 10, 0};
    const hooklib::AlarmFontRecord font{0, 0, "DejaVu Sans", 11, 700, 0, 0, 0};
    const COLORREF back = RGB(255, 236, 180), fore = RGB(120, 30, 0);
    core::OZRFireAlarm(3, "Time for tea", "The kettle has boiled.\r\nPour the water now.", 4, slide, 0, 0, 300, 130, 2,
                       0x40 | 0x2, 0, 255, 0, back, fore, 0x90, font, "", "");
    HWND alarm = d.FindByClass("OZRSW Drag");
    ASSERT_TRUE(alarm);
    EXPECT_EQ(d.Rect(alarm).left, 1281);
    EXPECT_EQ(d.Rect(alarm).top, 1025);
    int slideTicks = 0, fadeTicks = -1;
    for (; slideTicks < 100 && d.Rect(alarm).left != 980; ++slideTicks) {
        if (fadeTicks < 0 && OpacityOf(alarm) == 230) fadeTicks = slideTicks;
        d.Advance(15);
    }
    EXPECT_EQ(slideTicks, 450 / 15);
    EXPECT_EQ(fadeTicks, 300 / 15);
    EXPECT_EQ(d.Rect(alarm), (RECT{980, 894, 1280, 1024}));
    EXPECT_EQ(OpacityOf(alarm), 230);

    // A style-0 window, centred, with a picture behind its texts.
    core::OZRFireAlarm(4, "Stretch your legs", "Time for a short walk.", 0, slide, 0, 0, 320, 160, 0, 0x4 | 0x8 | 0x40,
                       0, 255, 0, RGB(255, 255, 255), RGB(0, 0, 90), 0x40, font, "",
                       ProgramFolder() + "\\GUI\\Misc\\OZRClockSystray.jpg");
    HWND framed = d.FindByTitle("Stretch your legs");
    ASSERT_TRUE(framed);
    EXPECT_EQ(d.Rect(framed), (RECT{480, 432, 800, 592}));
    d.Advance(200);
    EXPECT_TRUE(WriteScreenshot(d.PathOf("alarm-windows.png").string()));
    if (const char* keep = std::getenv("OZR_KEEP_SCREENSHOT")) WriteScreenshot(keep);
    // The style-2 window shows its back colour and text; its text colour is there too.
    RECT inside{985, 900, 1275, 1020};
    EXPECT_GT(PixelsOf(inside, back), 300 * 130 / 3);
    EXPECT_GT(PixelsOf(inside, fore), 50);

    // A double click starts the slide-out and fade-out; at their end the window goes and the main
    // window hears code 6 with the alarm's index.
    POINT at{1100, 950};
    d.DoubleClick(at);
    ASSERT_TRUE(IsWindow(alarm));
    std::vector<LONG> lefts;
    std::vector<BYTE> opacities;
    int outTicks = 0;
    for (; outTicks < 100 && IsWindow(alarm); ++outTicks) {
        lefts.push_back(d.Rect(alarm).left);
        opacities.push_back(OpacityOf(alarm));
        d.Advance(15);
    }
    EXPECT_GE(outTicks, 300 / 15);
    EXPECT_LE(outTicks, 300 / 15 + 1);
    for (std::size_t i = 1; i < lefts.size(); ++i) EXPECT_GE(lefts[i], lefts[i - 1]);
    EXPECT_GT(lefts.back(), 1250);
    EXPECT_LT(opacities[opacities.size() / 2], 230);
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].code, hooklib::CN_ALARMWINDOWCLOSED);
    EXPECT_EQ(g_reports[0].param, 3);

    // The other one closes at Alt+F4 at once.
    SetForegroundWindow(framed);
    d.KeyWithModifier(VK_MENU, VK_F4);
    d.Advance(30);
    EXPECT_FALSE(IsWindow(framed));
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_EQ(g_reports[1].param, 4);
}

// The caption of a style-0 or style-1 window: a close box (the default style has a system menu)
// that closes it with one click, as Alt+F4 does, so that its sound stops; minimise and maximise
// boxes when asked for; moving by the caption when movable, sizing by the borders when asked.
TEST(AlarmWindow, TheCaptionClosesMinimisesMovesAndSizesAsTheWindowsPropertiesSay) {
    RecordedDesktop recorded;
    Desktop& d = recorded.d;
    testsupport::RecordingSoundOutput& sound = testsupport::UseRecordingSoundOutput();
    const hooklib::SlideSettings slide{};
    const hooklib::AlarmFontRecord font{0, 0, "DejaVu Sans", 11, 700, 0, 0, 0};
    auto fire = [&](std::int32_t id, const char* title, int x, int style, std::uint32_t properties) {
        core::OZRFireAlarm(id, title, "Text", 0, slide, x, 100, 300, 140, style, properties, 0, 255, 0, RGB(255, 255, 255),
                           RGB(0, 0, 0), 0, font, "", "");
        d.Advance(50);
        return d.FindByTitle(title);
    };
    auto drag = [&](POINT from, POINT to) {
        d.Drag(from, to);
        d.Advance(50);
    };

    core::frmMain().StartAlarmSound(5, d.Folder().string() + "\\Alarms\\Sounds\\Default Alarm.wav", 3, 5, true);
    HWND plain = fire(5, "Plain", 100, 0, 0);
    ASSERT_TRUE(plain);
    // A dialog frame of 3 pixels; the close box is the caption's last 16 pixels but 2.
    const RECT closeBox{379, 105, 395, 119};
    EXPECT_EQ(SendMessage(plain, WM_NCHITTEST, 0, MakePointParam(387, 112)), HTCLOSE);
    EXPECT_EQ(SendMessage(plain, WM_NCHITTEST, 0, MakePointParam(368, 112)), HTBORDER) << "neither movable nor other boxes";
    EXPECT_GT(PixelsOf(closeBox, RGB(0, 0, 0)), 10) << "its cross";
    EXPECT_GT(PixelsOf(closeBox, RGB(192, 192, 192)), 50) << "its face";
    drag({200, 112}, {260, 150});
    EXPECT_EQ(d.Rect(plain).left, 100) << "not movable";
    ASSERT_TRUE(sound.Playing());
    d.Click({387, 112});
    d.Advance(50);
    EXPECT_FALSE(IsWindow(plain));
    ASSERT_EQ(g_reports.size(), 1u);
    EXPECT_EQ(g_reports[0].code, hooklib::CN_ALARMWINDOWCLOSED);
    EXPECT_EQ(g_reports[0].param, 5);
    EXPECT_FALSE(sound.Playing());

    // Movable, resizable with borders, with both boxes: a thick frame of 4 pixels.
    HWND full = fire(6, "Full", 500, 0, 0x4 | 0x8 | 0x10 | 0x20 | 0x40);
    ASSERT_TRUE(full);
    EXPECT_EQ(SendMessage(full, WM_NCHITTEST, 0, MakePointParam(768, 112)), HTMAXBUTTON);
    EXPECT_EQ(SendMessage(full, WM_NCHITTEST, 0, MakePointParam(752, 112)), HTMINBUTTON);
    drag({600, 112}, {650, 152});
    EXPECT_EQ(d.Rect(full), (RECT{550, 140, 850, 280}));
    drag({849, 279}, {889, 299});
    EXPECT_EQ(d.Rect(full), (RECT{550, 140, 890, 300}));
    d.Click({842, 152});  // the minimise box, 40 pixels further right now
    EXPECT_TRUE(IsIconic(full));
    ShowWindow(full, SW_RESTORE);
    d.Click({858, 152});
    EXPECT_TRUE(IsZoomed(full));

    // A tool window (style 1) has its close box alone; resizable without sizing borders, its
    // borders do not size it.
    HWND tool = fire(7, "Tool", 100, 1, 0x4 | 0x40);
    ASSERT_TRUE(tool);
    EXPECT_EQ(SendMessage(tool, WM_NCHITTEST, 0, MakePointParam(368, 112)), HTCAPTION);
    drag({399, 239}, {450, 280});
    EXPECT_EQ(d.Rect(tool), (RECT{100, 100, 400, 240}));
    d.Click({386, 112});
    d.Advance(50);
    EXPECT_FALSE(IsWindow(tool));
    EXPECT_EQ(g_reports.back().param, 7);
}

// Two alarm windows, the later over the earlier: a click on the earlier one's visible part brings
// it to the front, and its close box (which the later one covered) closes it and no other.
TEST(AlarmWindow, AClickOnACoveredWindowRaisesItAndItsCloseBoxClosesItAlone) {
    RecordedDesktop recorded;
    Desktop& d = recorded.d;
    const hooklib::AlarmFontRecord font{0, 0, "DejaVu Sans", 11, 700, 0, 0, 0};
    auto fire = [&](std::int32_t id, const char* title, int x) {
        core::OZRFireAlarm(id, title, "Text", 0, hooklib::SlideSettings{}, x, 100, 300, 140, 0, 0, 0, 255, 0,
                           RGB(255, 255, 255), RGB(0, 0, 0), 0, font, "", "");
        d.Advance(50);
        return d.FindByTitle(title);
    };
    HWND lower = fire(8, "Lower", 100), upper = fire(9, "Upper", 250);
    ASSERT_TRUE(lower && upper);
    ASSERT_EQ(GetTopLevel(WindowFromPoint(POINT{387, 112})), upper);
    d.Click({150, 180});
    d.Advance(50);
    EXPECT_EQ(GetTopLevel(WindowFromPoint(POINT{387, 112})), lower) << "raised by the click";
    d.Click({387, 112});
    d.Advance(50);
    EXPECT_FALSE(IsWindow(lower));
    EXPECT_TRUE(IsWindow(upper));
    ASSERT_FALSE(g_reports.empty());
    EXPECT_EQ(g_reports.back().param, 8);
}

// A double click on the caption of a window with a maximise box maximises it into the work area
// that the desktop's panels leave, and another restores it; one without the box stays as it is.
TEST(AlarmWindow, ACaptionsDoubleClickMaximisesIntoTheWorkAreaAndRestores) {
    RecordedDesktop recorded;
    Desktop& d = recorded.d;
    SetWorkArea(RECT{0, 0, 1280, 994});  // a panel along the bottom
    const hooklib::AlarmFontRecord font{0, 0, "DejaVu Sans", 11, 700, 0, 0, 0};
    auto fire = [&](std::int32_t id, const char* title, int x, std::uint32_t properties) {
        core::OZRFireAlarm(id, title, "Text", 0, hooklib::SlideSettings{}, x, 100, 300, 140, 0, properties, 0, 255, 0,
                           RGB(255, 255, 255), RGB(0, 0, 0), 0, font, "", "");
        d.Advance(50);
        return d.FindByTitle(title);
    };
    HWND full = fire(6, "Full", 500, 0x4 | 0x8 | 0x10 | 0x20 | 0x40), plain = fire(5, "Plain", 100, 0x4 | 0x40);
    ASSERT_TRUE(full && plain);
    d.DoubleClick({600, 112});
    d.Advance(50);
    EXPECT_TRUE(IsZoomed(full));
    EXPECT_EQ(d.Rect(full), (RECT{0, 0, 1280, 994}));
    d.DoubleClick({600, 8});
    d.Advance(50);
    EXPECT_FALSE(IsZoomed(full));
    EXPECT_EQ(d.Rect(full), (RECT{500, 100, 800, 240}));
    d.DoubleClick({200, 112});
    d.Advance(50);
    EXPECT_FALSE(IsZoomed(plain)) << "no maximise box";
    EXPECT_EQ(d.Rect(plain), (RECT{100, 100, 400, 240}));
    SetWorkArea(RECT{});
}

}  // namespace
