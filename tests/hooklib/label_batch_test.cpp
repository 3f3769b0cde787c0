// The label batches and debug lines the library sends to the program's main window, from the
// program's context (floating clock) and from the taskbar's (systray clock).
#include "label_batch_support.h"

#include "hooklib/hook_label.h"
#include "hooklib/label_batch.h"
#include "platform/present/desktop_screen.h"

using namespace platform;
using namespace cliblib;

namespace {

TEST(WidenText, EachByteBecomesOneSignExtendedUnit) {
    const std::vector<std::uint16_t> units = hooklib::WidenText("A:\x7F\x80\xC3\xA9");
    EXPECT_EQ(units, (std::vector<std::uint16_t>{0x0041, 0x003A, 0x007F, 0xFF80, 0xFFC3, 0xFFA9}));
    EXPECT_TRUE(hooklib::WidenText("").empty());
}

const char* const kSlowedDown = "{CALLBACK => DataBridgeTmrProc}: Slowed down DataBridge Timer.";
const std::string kSizeFix =
    "{SynchronizeWithProgram}: Found out that the Systray Ruriv size is not right. Attempting to fix. Current fix "
    "count is: ";

class LabelBatches : public LoadedLibrary {
protected:
    std::vector<Batch> Received() { return Batches(main.records, main.hwnd); }
};

TEST_F(LabelBatches, TheFloatingClockReportsEveryLabelWithASizeOnceASecond) {
    lib.OZRSetClockDebugMode(1);
    lib.OZRSetClockType(hooklib::kFloatingClock);
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    SendLabels(lib, main,
               {{"achh:mm:ss"}, {"DD.MM \xC3\xA9", 10, 400, 0, 0, 0}, {"ss", 0}, {"al"}});
    EXPECT_TRUE(main.records.empty());

    RunFor(20);  // the first tick comes at once
    std::vector<Batch> batches = Received();
    ASSERT_EQ(batches.size(), 1u);
    const Batch& first = batches[0];
    EXPECT_EQ(first.count, 4);
    ASSERT_EQ(first.labels.size(), 3u);  // the label of size 0 is left out; the hidden one is not
    EXPECT_EQ(first.labels[0].index, 0);
    EXPECT_EQ(first.labels[0].flags, hooklib::kLabelAlignCentre);
    EXPECT_EQ(first.labels[0].text.Text(), "12:00:00");
    EXPECT_EQ(first.labels[1].index, 1);
    EXPECT_EQ(first.labels[1].text.Text(), "01.03 \xC3\xA9");
    const std::vector<std::uint16_t> units = first.labels[1].text.Units();
    ASSERT_EQ(units.size(), 8u);
    EXPECT_EQ(units[6], 0xFFC3);  // bytes from 0x80 on arrive sign-extended
    EXPECT_EQ(units[7], 0xFFA9);
    EXPECT_EQ(first.labels[2].index, 3);
    EXPECT_EQ(first.labels[2].flags, hooklib::kLabelAlignLeft);
    EXPECT_TRUE(first.labels[2].text.bytes.empty());  // an empty text has cbData 0

    // Then once a second, with the time as it is then.
    RunFor(1000);
    batches = Received();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_EQ(batches[1].labels[0].text.Text(), "12:00:01");
    EXPECT_EQ(main.CountLines(kSlowedDown), 1);
    // The taskbar's own clock is none of the floating clock's business.
    for (const std::string& line : main.lines) EXPECT_EQ(line.find(kSizeFix), std::string::npos) << line;
}

TEST_F(LabelBatches, TheSystrayClockReportsItsShownLabelsOncePaintedThenOnEachDataBridgeTick) {
    StartTaskbar();
    SetUpSystrayClock();
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    SendLabels(lib, main, {{"hh:mm"}, {"ss", 10, 400, 0, 0, 0}, {"arss"}});
    // The innermost call of the handshake reports before anything is painted: only the end. The
    // paint that follows each request prepares the labels, and the next hook call reports them.
    std::vector<Batch> batches = Received();
    ASSERT_EQ(batches.size(), 2u);
    EXPECT_TRUE(batches[0].labels.empty());
    EXPECT_EQ(batches[0].count, 3);
    ASSERT_EQ(batches[1].labels.size(), 2u);  // the hidden label is not reported
    EXPECT_EQ(batches[1].count, 3);
    EXPECT_EQ(batches[1].labels[0].text.Text(), "12:00");
    EXPECT_EQ(batches[1].labels[1].index, 2);
    EXPECT_EQ(batches[1].labels[1].flags, hooklib::kLabelAlignRight);
    EXPECT_EQ(batches[1].labels[1].text.Text(), "00");

    // Refresh paints report nothing new; the data-bridge ticks at 300 ms, then every 1000 ms
    // (just after a second of the wall clock).
    RunFor(250);
    EXPECT_EQ(Received().size(), 2u);
    EXPECT_EQ(main.CountLines(kSlowedDown), 0);
    RunFor(2000);
    batches = Received();
    EXPECT_EQ(batches.size(), 4u);
    EXPECT_EQ(batches.back().labels[1].text.Text(), "02");
    EXPECT_EQ(main.CountLines(kSlowedDown), 1);
}

TEST_F(LabelBatches, WithoutDebugModeNoLineIsSentAtAll) {
    StartTaskbar();
    SetUpSystrayClock();
    lib.OZRSetClockDebugMode(0);
    lib.OZRSetClockPaintThreshold(2);
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(40);
    SendLabels(lib, main, {{"hh:mm"}});
    lib.OZRSetClockTransparent(1);
    RunFor(1500);
    lib.OZRSetClockStyle(9);  // an unknown style would be logged
    RunFor(200);
    lib.OZRUnHookSystem();
    EXPECT_FALSE(Received().empty());
    EXPECT_TRUE(main.lines.empty()) << main.lines.front();
}

struct SizeFixCase {
    TaskbarEdge edge;
    bool widthWrong;  // else the height is
    bool fixed;
};

TEST_F(LabelBatches, AClockTheTrayDidNotSizeIsCorrectedAtMostAHundredTimesPerHook) {
    StartTaskbar();
    SetUpSystrayClock();
    const SizeFixCase cases[] = {{TaskbarEdge::Bottom, true, true},
                                 {TaskbarEdge::Bottom, false, false},
                                 {TaskbarEdge::Right, false, true},
                                 {TaskbarEdge::Right, true, false}};
    for (const SizeFixCase& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.edge) * 10 + c.widthWrong);
        MoveTaskbarToEdge(c.edge);
        ASSERT_NE(lib.OZRHookSystem(), 0u);
        EXPECT_EQ(lib.share->SizeFixCount, 0);
        lib.OZRSetClockWidth(40);
        lib.OZRSetClockHeight(16);
        SendLabels(lib, main, {{"hh:mm"}});
        // More than the screen has: the tray never gives it.
        (c.widthWrong ? lib.share->TrayClockWidth : lib.share->TrayClockHeight) = 3000;
        lib.share->SizeFixCount = 98;
        main.lines.clear();
        for (int batch = 0; batch < 4; ++batch) {
            lib.share->LabelsReported = 0;
            SendMessage(bar.clock, WM_PAINT, 0, 0);
        }
        if (c.fixed) {
            EXPECT_EQ(main.CountLines(kSizeFix + "98"), 1);
            EXPECT_EQ(main.CountLines(kSizeFix + "99"), 1);
            EXPECT_EQ(main.CountLines(kSizeFix + "100"), 0);
            EXPECT_EQ(lib.share->SizeFixCount, 100);
        } else {
            for (const std::string& line : main.lines) EXPECT_EQ(line.find(kSizeFix), std::string::npos) << line;
            EXPECT_EQ(lib.share->SizeFixCount, 98);
        }
        lib.OZRUnHookSystem();
    }
}

TEST_F(LabelBatches, ABatchAskedForWhileOneIsSentFollowsItInsteadOfInterleaving) {
    StartTaskbar();
    SetUpSystrayClock();
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    SendLabels(lib, main, {{"hh"}, {"mm"}});
    RunFor(250);
    ASSERT_EQ(Received().back().labels.size(), 2u);

    // While the next batch's first record is handled, the program changes label 1 (the change
    // is painted at once, which makes the labels due for a report) and moves label 0 (another
    // hook call).
    bool changed = false;
    main.onRecord = [&](const CopyRecord& r) {
        if (changed || r.type != hooklib::CD_LABELINDEX) return;
        changed = true;
        lib.OZRSetClockLabelProperties(1, 0, 0, "Arial", 10, 400, 0, 0, 0, 0, 0xFFFFFF, "ss:ss", 0xFF);
        lib.OZRSetClockLabelPositioning(0, 3, 1);
    };
    const std::size_t before = Received().size();
    lib.share->LabelsReported = 0;
    SendMessage(bar.clock, WM_PAINT, 0, 0);
    EXPECT_TRUE(changed);
    std::vector<Batch> batches = Received();  // every label's records in a row
    ASSERT_EQ(batches.size(), before + 1);
    EXPECT_EQ(batches.back().labels[1].text.Text(), "00:00");
    EXPECT_EQ(lib.share->LabelsReported, 0);  // the batch asked for in between is due

    SendMessage(bar.clock, WM_PAINT, 0, 0);
    EXPECT_EQ(Received().size(), before + 2);
    EXPECT_EQ(lib.share->LabelsReported, 1);
}

TEST_F(LabelBatches, LinesMadeWhilePaintingAreSentOnceThePaintIsOnTheClock) {
    StartTaskbar();
    StartDesktopScreen();
    SetUpSystrayClock();
    ASSERT_NE(lib.OZRHookSystem(), 0u);
    lib.OZRSetClockWidth(40);
    lib.OZRSetClockBackground(RGB(0, 0, 0));
    SendLabels(lib, main, {{"ss", 10, 700, RGB(0, 0, 0), RGB(255, 0, 0), 0}});

    int redWhenLogged = -1;
    main.onLine = [&](const std::string& line) {
        if (line != "TRR-NRM-TIM-SEC" || redWhenLogged >= 0) return;
        RECT clock;
        GetClientRect(bar.clock, &clock);
        HDC dc = GetDC(bar.clock);
        redWhenLogged = 0;
        for (int y = 0; y < clock.bottom; ++y)
            for (int x = 0; x < clock.right; ++x)
                if (GetRValue(GetPixel(dc, x, y)) > 128 && GetGValue(GetPixel(dc, x, y)) < 64) ++redWhenLogged;
        ReleaseDC(bar.clock, dc);
        // A request that frees the labels and their fonts, which the paint must be done with.
        lib.OZRSetClockLabelCount(0);
    };
    // The label is shown now: the paint that follows the request makes its font and parses it.
    InvalidateRect(bar.clock, nullptr, 1);
    lib.OZRSetClockLabelProperties(0, 0, 0, "Arial", 10, 700, 0, 0, 0, RGB(0, 0, 0), RGB(255, 0, 0), "ss", 0xFF);
    EXPECT_TRUE(main.Logged("%02li"));
    EXPECT_GT(redWhenLogged, 5);
    EXPECT_EQ(lib.share->HookLabelCount, 0);
}

}  // namespace
