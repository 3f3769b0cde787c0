// The floating clock on the headless desktop: where it stands, what its labels show, how it is
// dragged and how its size follows the labels, with the real library or a recording stand-in.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/intro_flags.h"
#include "core/main_window_proc.h"
#include "desktop_harness.h"
#include "fake_library.h"
#include "platform/present/desktop_screen.h"
#include "settings/frm_seti.h"

using namespace platform;
using namespace desktop;

namespace {

const char* kLaterRun = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";

DesktopOptions LaterRun(const std::string& settings = kLaterRun, bool fakeLibrary = false) {
    DesktopOptions o;
    o.clock = "2026-03-01T13:04:05";
    o.prepare = [settings, fakeLibrary](const std::filesystem::path& folder) {
        if (fakeLibrary) InstallFakeLibrary(folder);
        std::ofstream(folder / "Settings.ozrini") << settings;
    };
    return o;
}

struct DumpedLabel {
    std::string text;
    RECT rect;  // screen pixels
    bool visible = false;
};

// A label control of the main window as the window dump lists it.
DumpedLabel FindLabel(const std::string& dump, int index) {
    std::regex line("\"name\":\"Label\\(" + std::to_string(index) +
                    "\\)\",\"text\":\"([^\"]*)\",\"rect\":\\[(-?\\d+),(-?\\d+),(-?\\d+),(-?\\d+)\\],\"visible\":(true|false)");
    std::smatch m;
    DumpedLabel label;
    if (!std::regex_search(dump, m, line)) return label;
    label.text = m[1];
    label.rect = RECT{std::stoi(m[2]), std::stoi(m[3]), std::stoi(m[4]), std::stoi(m[5])};
    label.visible = m[6] == "true";
    return label;
}

// How many pixels inside a rectangle of the composed screen are dark (or light).
int PixelsInside(const RECT& r, bool dark) {
    const Surface& screen = ComposedScreen();
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            Pixel p = screen.at(x, y);
            int brightness = ((p >> 16) & 0xFF) + ((p >> 8) & 0xFF) + (p & 0xFF);
            n += dark ? brightness < 3 * 96 : brightness > 3 * 160;
        }
    return n;
}

using desktop::CentreOf;

// One label batch as the library sends it: index, flags and the text, one 16-bit unit a byte.
void SendLabelBatch(std::int16_t index, std::int32_t flags, const std::string& text) {
    HWND main = core::frmMain().hWnd;
    auto send = [&](std::uintptr_t type, const void* data, DWORD size) {
        COPYDATASTRUCT cds{type, size, data};
        SendMessage(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    };
    std::string units;
    for (char c : text) units += std::string{c, '\0'};
    send(core::CD_LABELINDEX, &index, 2);
    send(core::CD_LABELFLAGS, &flags, 4);
    send(core::CD_LABELTEXT, units.data(), static_cast<DWORD>(units.size()));
    send(core::CD_END, nullptr, 0);
}

TEST(FloatingClock, ShowsTheDefaultLabelsRenderedAtTheDefaultPlace) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    RECT window = d.Rect(main);
    // X = 1280 * 15 / 2 - 75 and Y = 1024 * 15 / 2 - 25 twips.
    EXPECT_EQ(window.left, 9525 / 15);
    EXPECT_EQ(window.top, 7655 / 15);

    std::string dump = d.WindowDump();
    DumpedLabel time = FindLabel(dump, 0), date = FindLabel(dump, 1);
    EXPECT_EQ(time.text, "13:04:05");
    EXPECT_EQ(date.text, "2026-03-01");
    ASSERT_TRUE(time.visible && date.visible);
    EXPECT_EQ(date.rect.top, time.rect.bottom);
    EXPECT_EQ(window.right - window.left, std::max(time.rect.right - time.rect.left, date.rect.right - date.rect.left) + 2);
    EXPECT_EQ(window.bottom, date.rect.bottom + 1);

    // The time is light text on black, the date dark text on white: each shows its text.
    auto area = [](const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); };
    int timeText = PixelsInside(time.rect, false), dateText = PixelsInside(date.rect, true);
    EXPECT_GT(timeText, 40);
    EXPECT_LT(timeText, area(time.rect) / 2);
    EXPECT_GT(dateText, 40);
    EXPECT_LT(dateText, area(date.rect) / 2);
    EXPECT_TRUE(WriteScreenshot(d.PathOf("screen.png").string()));

    d.Advance(2000);
    EXPECT_EQ(FindLabel(d.WindowDump(), 0).text, "13:04:07") << "the labels follow the clock";
}

TEST(FloatingClock, AnAnchoredClockKeepsItsCornerWhileItsSizeSettles) {
    Desktop d(LaterRun(std::string(kLaterRun) + "[Float Window]\nAnchor=5\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(3000);
    RECT window = d.Rect(d.FindByTitle("OZR Ruriv Main Window"));
    EXPECT_EQ(window.right, 1280);
    EXPECT_EQ(window.bottom, 1024);
    DumpedLabel date = FindLabel(d.WindowDump(), 1);
    EXPECT_EQ(window.right - window.left, date.rect.right - date.rect.left + 2) << "sized to the labels";
    EXPECT_EQ(window.bottom, date.rect.bottom + 1);
}

TEST(FloatingClock, ADraggedClockStaysWhereItWasDroppedAndIsSaved) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    RECT before = d.Rect(main);
    POINT grab = CentreOf(FindLabel(d.WindowDump(), 1).rect);
    d.Drag(grab, POINT{grab.x - 300, grab.y - 200});
    RECT after = d.Rect(main);
    EXPECT_EQ(after.left, before.left - 300);
    EXPECT_EQ(after.top, before.top - 200);
    EXPECT_FALSE(core::frmMain().BodyMovin.Enabled);
    d.Advance(1500);
    EXPECT_EQ(d.Rect(main).left, after.left);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Float Window", "X"), after.left * 15);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Float Window", "Y"), after.top * 15);

    // A drag while the settings window is open is the user's, not the window's: Cancel keeps it,
    // and it is saved once the window has closed.
    d.Key(VK_F2);
    d.Advance(50);
    ASSERT_TRUE(core::SettingsWindowOpen);
    settings::frmSeti().Move(9000, 6000);  // off the clock
    grab = CentreOf(FindLabel(d.WindowDump(), 1).rect);
    d.Drag(grab, POINT{grab.x + 100, grab.y + 50});
    const RECT dragged = d.Rect(main);
    EXPECT_EQ(dragged.left, after.left + 100);
    d.Click(CentreOf(d.Rect(settings::frmSeti().cmdCancelN.hWnd)));
    d.Advance(1500);
    EXPECT_FALSE(core::SettingsWindowOpen);
    EXPECT_EQ(d.Rect(main).left, dragged.left);
    EXPECT_EQ(d.Rect(main).top, dragged.top);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Float Window", "X"), dragged.left * 15);
}

// A right press on the clock with keys queued behind it for the menu that the press opens.
void RightPressChoosingTheFirstItem(Desktop& d, POINT at) {
    InjectMouseMove(at);
    InjectMouseButton(at, MouseButton::Right, true);
    InjectKey(VK_DOWN, true);
    InjectKey(VK_RETURN, true, '\r');
    d.Pump();
    InjectKey(VK_DOWN, false);
    InjectKey(VK_RETURN, false);
    InjectMouseButton(at, MouseButton::Right, false);
    d.Advance(20);
}

TEST(FloatingClock, TheRightButtonOnALabelOpensTheClocksMenu) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    POINT at = CentreOf(FindLabel(d.WindowDump(), 0).rect);
    RightPressChoosingTheFirstItem(d, at);
    EXPECT_EQ(core::PendingCommand, "Program Settings - Program Settings");
    EXPECT_FALSE(core::frmMain().BodyMovin.Enabled);
}

TEST(FloatingClock, ARightPressWhileTheSplashShowsClosesItAndOpensTheMenu) {
    // The clock in the top-left corner, clear of the splash and the tip in the middle.
    Desktop d(LaterRun("[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=1\n"
                       "[Float Window]\nX=0\nY=0\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    ASSERT_TRUE(core::IntroShowing);
    RightPressChoosingTheFirstItem(d, CentreOf(FindLabel(d.WindowDump(), 0).rect));
    EXPECT_FALSE(core::IntroShowing);
    EXPECT_EQ(core::PendingCommand, "Program Settings - Program Settings");
}

TEST(FloatingClock, AClockTooBigForTheScreenIsFittedOnceWithOneWarning) {
    Desktop d(LaterRun(std::string(kLaterRun) + "AutoSize=0\nWidth=1200\nHeight=50\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(65'000);  // past two of the engine's half-minute checks
    ASSERT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_EQ(d.MessageBoxes()[0].type, 4160u);
    // 1280 x 1024 pixels: (19200 - 1920 - 150) / 15 and (15360 - 1536 - 150) / 15.
    EXPECT_EQ(core::Settings.ClockWidth, 1142);
    EXPECT_EQ(core::Settings.ClockHeight, 912);
    EXPECT_EQ(core::MainSettingsFile.ReadLongAt("Main Settings", "Width"), 1142);
    EXPECT_EQ(d.Rect(d.FindByTitle("OZR Ruriv Main Window")).right -
                  d.Rect(d.FindByTitle("OZR Ruriv Main Window")).left,
              1142 + 2);
}

TEST(SystrayClock, TheTaskbarClockIsToldItsWidthOncePerChange) {
    Desktop d(LaterRun(std::string(kLaterRun) + "SystrayClock=1\n", true));
    ASSERT_TRUE(d.Start());
    FakeLibrary lib;
    auto widths = [&] {
        std::vector<std::string> out;
        for (const std::string& call : lib.Calls())
            if (call.rfind("OZRSetClockWidth ", 0) == 0) out.push_back(call);
        return out;
    };
    SendLabelBatch(0, 0x04, "13:04:05");
    SendLabelBatch(1, 0x04, "2026-03-01");
    d.Advance(5000);
    ASSERT_FALSE(widths().empty());
    lib.Clear();
    for (int second = 6; second < 10; ++second) {
        SendLabelBatch(0, 0x04, "13:04:0" + std::to_string(second));
        d.Advance(1000);
    }
    EXPECT_TRUE(widths().empty()) << "steady texts tell the library nothing";
    SendLabelBatch(1, 0x04, "Sunday, 1 March 2026");
    d.Advance(1000);
    std::vector<std::string> told = widths();
    ASSERT_FALSE(told.empty());
    // The layout tells the block's width first; the label positions sent after it tell the window's.
    int width = std::stoi(told.front().substr(17));
    RECT window = d.Rect(d.FindByTitle("OZR Ruriv Main Window"));
    EXPECT_NEAR(width, window.right - window.left - 2, 1) << "the labels' block without its borders";
    lib.Clear();
    d.Advance(3000);
    EXPECT_TRUE(widths().empty());
}

}  // namespace

namespace {

// A right click on the clock opens its menu, which stays open; a click on its second item, made
// once the menu shows (from a timer, since the menu runs its own loop), runs that item.
void ClickSecondMenuItem(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    HWND menu = GetWindow(core::frmMain().hWnd, GW_HWNDFIRST);  // the menu opens in front
    RECT r;
    GetWindowRect(menu, &r);
    POINT item{r.left + 20, r.top + 2 + (r.bottom - r.top - 4) * 3 / 12};  // six rows: inside the second
    InjectMouseMove(item);
    InjectMouseButton(item, MouseButton::Left, true);
    InjectMouseButton(item, MouseButton::Left, false);
}

TEST(FloatingClock, ARightClickOpensTheMenuAndAClickOnAnItemRunsIt) {
    Desktop d(LaterRun());
    ASSERT_TRUE(d.Start());
    d.Advance(500);
    POINT at = CentreOf(FindLabel(d.WindowDump(), 0).rect);
    InjectMouseMove(at);
    InjectMouseButton(at, MouseButton::Right, true);
    InjectMouseButton(at, MouseButton::Right, false);  // the release where the menu opened chooses nothing
    SetTimer(HWND{}, 0, 200, ClickSecondMenuItem);
    d.Advance(1000);
    EXPECT_EQ(core::PendingCommand, "Program Settings - Alarm Settings");
}

}  // namespace
