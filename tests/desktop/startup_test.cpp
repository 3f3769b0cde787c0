// The whole program on the headless desktop.
#include <gtest/gtest.h>

#include "core/frm_main.h"
#include "desktop_harness.h"

using namespace platform;
using desktop::Desktop;

TEST(Startup, TheMainWindowCarriesItsTitleAndAVirtualHourPasses) {
    Desktop d;
    ASSERT_TRUE(d.Start());
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    ASSERT_TRUE(main);
    d.Advance(3'600'000);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(d.Text(main), "OZR Ruriv Main Window");
}
