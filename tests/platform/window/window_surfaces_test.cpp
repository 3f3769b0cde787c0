// What the window system asks of the surfaces its windows paint on: a DC placed and clipped to the
// painting window, released after, the class background erased, the screen brought up to date
// whenever the loop waits; and a bounded run that ends when its time is up.
#include <gtest/gtest.h>

#include "platform/window/loop.h"
#include "tests/support/test_services.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

TEST(WindowSurfaces, AChildPaintsThroughADcOnItsTopLevelWindowClippedToItsParent) {
    testsupport::ServiceScope services;
    UseVirtualClock();
    auto& surfaces = testsupport::UseRecordingWindowSurfaces();
    HWND top = MakeWindow("SurfTop", "top", WS_POPUP | WS_VISIBLE, HWND{}, RECT{100, 100, 300, 200});
    // The child reaches past its parent's right and bottom edges.
    HWND child = MakeWindow("SurfChild", "child", WS_CHILD | WS_VISIBLE, top, RECT{150, 60, 250, 160});
    PumpPendingWork();
    surfaces.dcRequests.clear();
    surfaces.erases.clear();
    surfaces.releases = 0;

    InvalidateRect(child, nullptr, 1);
    UpdateWindow(child);
    ASSERT_EQ(surfaces.dcRequests.size(), 1u);
    const auto& dc = surfaces.dcRequests[0];
    EXPECT_EQ(dc.topLevel, top);
    EXPECT_EQ(dc.origin.x, 150);
    EXPECT_EQ(dc.origin.y, 60);
    EXPECT_TRUE(SameRect(dc.clip, RECT{150, 60, 200, 100}))
        << dc.clip.left << "," << dc.clip.top << "," << dc.clip.right << "," << dc.clip.bottom;
    EXPECT_EQ(surfaces.releases, 1);
    ASSERT_EQ(surfaces.erases.size(), 1u);
    EXPECT_EQ(surfaces.erases[0].hwnd, child);
    EXPECT_TRUE(SameRect(surfaces.erases[0].area, RECT{0, 0, 100, 100}));

    // A DC of the whole window, taken and given back by the caller.
    HDC windowDc = GetWindowDC(top);
    EXPECT_EQ(windowDc, testsupport::RecordingWindowSurfaces::kPlaceholderDc);
    EXPECT_TRUE(SameRect(surfaces.dcRequests.back().clip, RECT{0, 0, 200, 100}));
    ReleaseDC(top, windowDc);
    EXPECT_EQ(surfaces.releases, 2);
    DestroyWindow(top);
}

TEST(WindowSurfaces, TheLoopBringsWhatWasPaintedToTheScreenBeforeItWaits) {
    testsupport::ServiceScope services;
    UseVirtualClock();
    auto& surfaces = testsupport::UseRecordingWindowSurfaces();
    HWND top = MakeWindow("SurfShown", "shown");
    PumpPendingWork();
    EXPECT_EQ(surfaces.presents, 0) << "work that does not wait presents nothing yet";
    RunFor(1000);
    EXPECT_GE(surfaces.presents, 1);
    DestroyWindow(top);
}

TEST(RunDeadline, ABoundedRunEndsOnceWhenItsTimeIsUp) {
    testsupport::ServiceScope services;
    UseVirtualClock();
    auto& end = testsupport::UseRecordingRunEnd();
    const std::int64_t start = CurrentClock().MonotonicMs();
    SetRunDeadline(start + 500);
    RunFor(400);
    EXPECT_TRUE(end.statuses.empty());
    RunFor(200);
    EXPECT_EQ(end.statuses, std::vector<int>{0});
    RunFor(1000);
    EXPECT_EQ(end.statuses, std::vector<int>{0}) << "the deadline passes once";
}
