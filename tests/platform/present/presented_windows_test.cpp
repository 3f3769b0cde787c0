// What a presenter reads of the window system: each window's look, layering as it takes effect,
// the stacking order, and word of changes and of the window's end.
#include <gtest/gtest.h>

#include <algorithm>

#include "../window/window_test_support.h"
#include "platform/present/presented_windows.h"

using namespace platform;
using namespace wintest;

namespace {

TEST(PresentedWindows, AWindowIsReadAsThePresenterShowsIt) {
    HWND top = MakeWindow("PresentedTop", "the clock");
    HWND child = MakeWindow("PresentedChild", "part", WS_CHILD | WS_VISIBLE, top);
    HWND owned = MakeWindow("PresentedOwned", "tip", WS_POPUP, top);

    std::optional<PresentedWindow> w = ReadPresentedWindow(top);
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->topLevel);
    EXPECT_EQ(w->className, "PresentedTop");
    EXPECT_EQ(w->title, "the clock");
    EXPECT_TRUE(w->style & WS_VISIBLE);
    EXPECT_FALSE(w->owned);
    EXPECT_FALSE(w->shellWindow);
    EXPECT_FALSE(w->minimized);
    EXPECT_FALSE(ReadPresentedWindow(child)->topLevel);
    EXPECT_TRUE(ReadPresentedWindow(owned)->owned);
    EXPECT_FALSE(ReadPresentedWindow(owned)->style & WS_VISIBLE);

    // Layering shows only once the window is layered and its attributes are set.
    SetWindowLong(top, GWL_EXSTYLE, static_cast<LONG>(WS_EX_LAYERED));
    EXPECT_EQ(ReadPresentedWindow(top)->layeredFlags, 0u);
    SetLayeredWindowAttributes(top, RGB(1, 2, 3), 128, LWA_ALPHA | LWA_COLORKEY);
    w = ReadPresentedWindow(top);
    EXPECT_EQ(w->layeredFlags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));
    EXPECT_EQ(w->layeredAlpha, 128);
    EXPECT_EQ(w->layeredKey, RGB(1, 2, 3));
    SetWindowLong(top, GWL_EXSTYLE, 0);
    EXPECT_EQ(ReadPresentedWindow(top)->layeredFlags, 0u) << "no longer layered";

    DestroyWindow(top);
    EXPECT_FALSE(ReadPresentedWindow(top)) << "a stale handle reads as nothing";
    EXPECT_FALSE(ReadPresentedWindow(child));
}

TEST(PresentedWindows, TheStackingOrderAndEveryChangeReachThePresenter) {
    std::vector<HWND> changed, destroyed;
    ObservePresentedWindows([&](HWND h) { changed.push_back(h); }, [&](HWND h) { destroyed.push_back(h); });
    HWND first = MakeWindow("PresentedFirst", "first");
    HWND second = MakeWindow("PresentedSecond", "second");

    std::vector<HWND> order = TopLevelWindowsInZOrder();
    auto at = [&](HWND h) { return std::find(order.begin(), order.end(), h) - order.begin(); };
    ASSERT_LT(at(first), static_cast<long>(order.size()));
    EXPECT_LT(at(second), at(first)) << "the newer window lies above";

    changed.clear();
    ShowWindow(first, SW_HIDE);
    EXPECT_NE(std::find(changed.begin(), changed.end(), first), changed.end());
    EXPECT_FALSE(ReadPresentedWindow(first)->style & WS_VISIBLE);

    DestroyWindow(second);
    EXPECT_EQ(destroyed, std::vector<HWND>{second});
    order = TopLevelWindowsInZOrder();
    EXPECT_EQ(std::find(order.begin(), order.end(), second), order.end());
    DestroyWindow(first);
}

}  // namespace
