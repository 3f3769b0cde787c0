// What the window system tells its presenter, seen through the recording double.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/window/loop.h"
#include "platform/window/paint.h"
#include "tests/support/test_services.h"
#include "window_test_support.h"

using namespace platform;
using namespace wintest;

namespace {
bool Has(const std::vector<HWND>& list, HWND hwnd) { return std::find(list.begin(), list.end(), hwnd) != list.end(); }
}  // namespace

TEST(PresenterService, HearsOfMovesPaintsAndDestructionAndIsAskedForTheDcsAndTheScreen) {
    testsupport::ServiceScope services;
    testsupport::UseRecordingClock(1'800'000'000'000);
    auto& presenter = testsupport::UseRecordingPresenter();
    HWND top = MakeWindow("PresentedTop", "top", WS_POPUP | WS_VISIBLE);
    HWND child = MakeWindow("PresentedChild", "child", WS_CHILD | WS_VISIBLE, top, RECT{5, 5, 25, 25});
    PumpPendingWork();
    EXPECT_TRUE(Has(presenter.dcsAsked, top)) << "painting asks for a DC on the top-level window";
    EXPECT_FALSE(Has(presenter.dcsAsked, child)) << "a child draws on its top-level window's surface";
    EXPECT_TRUE(Has(presenter.damaged, top)) << "what was painted is damage of the top-level window";

    presenter.changed.clear();
    SetWindowPos(top, HWND{}, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(Has(presenter.changed, top));

    RunFor(100);  // the loop presents before it waits
    EXPECT_GT(presenter.presents, 0);

    DestroyWindow(top);
    EXPECT_TRUE(Has(presenter.destroyed, top));
    EXPECT_TRUE(Has(presenter.destroyed, child));
}
