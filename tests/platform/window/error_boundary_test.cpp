// The error boundary of the window system: what escapes a handler is reported with its source and
// the caller goes on; work the platform drops is reported, never silent.
#include <gtest/gtest.h>

#include "platform/window/context.h"
#include "platform/window/error_boundary.h"
#include "platform/window/loop.h"
#include "tests/support/test_services.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {

constexpr UINT kFail = WM_USER + 1;
constexpr UINT kRecurse = WM_USER + 2;

LRESULT FailingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kFail) throw Error("refused");
    if (msg == kFail + 10) throw 42;  // not even an exception class
    if (msg == kRecurse) return SendMessage(hwnd, kRecurse, wParam + 1, 0) + 1;
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

HWND MakeFailingWindow() {
    WNDCLASS wc;
    wc.lpfnWndProc = FailingProc;
    wc.lpszClassName = "Failing";
    RegisterClass(&wc);
    return CreateWindowEx(0, "Failing", "failing", WS_POPUP, 0, 0, 10, 10, HWND{});
}

void FailingTimer(HWND, UINT, UINT_PTR, DWORD) { throw Error("timer refused"); }

}  // namespace

TEST(ErrorBoundary, WhatEscapesASendAPostATimerOrATaskIsReportedWithItsSourceAndTheCallerGoesOn) {
    testsupport::ServiceScope services;
    UseVirtualClock();
    auto& reports = testsupport::UseRecordingFailureReports();
    HWND hwnd = MakeFailingWindow();
    EXPECT_EQ(SendMessage(hwnd, kFail, 3, 0), 0);
    PostMessage(hwnd, kFail + 10, 0, 0);
    UINT_PTR timer = SetTimer(HWND{}, 0, 100, FailingTimer);
    bool later = false;
    PostTask([] { throw Error("task refused"); });  // as an answer from another thread comes
    PostTask([&later] { later = true; });
    RunFor(150);
    KillTimer(HWND{}, timer);
    EXPECT_TRUE(later);
    ASSERT_EQ(reports.escaped.size(), 4u);
    EXPECT_EQ(reports.escaped[0].source,
              "window " + std::to_string(hwnd.id()) + " \"failing\" (class Failing), message 0x0401 (wParam 3)");
    EXPECT_EQ(reports.escaped[0].description, "refused");
    EXPECT_EQ(reports.escaped[1].description, "an error of unknown kind");
    EXPECT_EQ(reports.escaped[2].source, "a task handed to the loop");
    EXPECT_EQ(reports.escaped[2].description, "task refused");
    EXPECT_EQ(reports.escaped[3].source.rfind("timer " + std::to_string(timer) + " of window 0", 0), 0u);
    EXPECT_EQ(reports.escaped[3].description, "timer refused");
    EXPECT_TRUE(reports.dropped.empty());
    DestroyWindow(hwnd);
}

TEST(ErrorBoundary, DroppedWorkIsReported) {
    testsupport::ServiceScope services;
    auto& reports = testsupport::UseRecordingFailureReports();
    HWND hwnd = MakeFailingWindow();
    SendMessage(hwnd, kRecurse, 0, 0);  // a runaway recursion, refused at the depth limit
    PostThreadMessage(GetCurrentThreadId(), WM_USER + 5, 0, 0);
    PumpPendingWork();
    ASSERT_EQ(reports.dropped.size(), 2u);
    EXPECT_NE(reports.dropped[0].find("a send nested deeper than"), std::string::npos) << reports.dropped[0];
    EXPECT_NE(reports.dropped[1].find("a thread message nobody takes"), std::string::npos) << reports.dropped[1];
    EXPECT_TRUE(reports.escaped.empty());
    DestroyWindow(hwnd);
}

TEST(ErrorBoundary, TheRealReportsPrintEveryEscapeAndShowEachKindOnce) {
    testsupport::ServiceScope services;
    auto& boxes = testsupport::UseRecordingMessageBoxes();
    testing::internal::CaptureStderr();
    for (int i = 0; i < 3; ++i) UseService<FailureReports>().Escaped("timer 1 of window 0", "broken");
    UseService<FailureReports>().Escaped("timer 2 of window 0", "broken");
    ReportDropped("a thread message nobody takes");
    std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_EQ(printed,
              "Error in timer 1 of window 0: broken\nError in timer 1 of window 0: broken\nError in timer 1 of window 0: "
              "broken\nError in timer 2 of window 0: broken\nDropped: a thread message nobody takes\n");
    ASSERT_EQ(boxes.Requests().size(), 2u);
    EXPECT_EQ(boxes.Requests()[0].type, MB_ICONERROR | MB_SYSTEMMODAL);
}
