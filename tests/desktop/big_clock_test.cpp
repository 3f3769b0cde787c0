// Clocks far bigger than a screen, and clocks of very many labels, run on the headless desktop.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "core/frm_main.h"
#include "core/globals.h"
#include "desktop_harness.h"
#include "many_labels.h"
#include "platform/draw/surface.h"
#include "platform/present/desktop_screen.h"

using namespace platform;
using namespace desktop;

namespace {

DesktopOptions WithSettings(const std::string& settings) {
    return {.prepare = [settings](const std::filesystem::path& folder) { std::ofstream(folder / "Settings.ozrini") << settings; }};
}

TEST(BigClock, EightLabelsOfTheLargestSizeMakeAWindowBiggerThanAnySurfaceThatKeepsRunning) {
    Desktop d(WithSettings(SettingsWithLabels(8, 32767, 40000)));
    ASSERT_TRUE(d.Start());
    d.Advance(4000);
    EXPECT_FALSE(d.Ended());
    HWND main = d.FindByTitle("OZR Ruriv Main Window");
    ASSERT_TRUE(main);
    RECT r = d.Rect(main);
    EXPECT_GT(std::max(r.width(), r.height()), kMaxSurfaceSide);
    std::shared_ptr<Surface> surface = WindowSurface(main);
    ASSERT_TRUE(surface);
    EXPECT_LE(surface->width(), ComposedScreen().width());
    EXPECT_LE(surface->height(), ComposedScreen().height());
}

}  // namespace

namespace {

TEST(ManyLabels, TwoThousandLabelsAreLaidOutShownAndKeptRunning) {
    Desktop d(WithSettings(SettingsWithLabels(2000, 8, 200) + "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"));
    ASSERT_TRUE(d.Start());
    d.Advance(4000);
    EXPECT_FALSE(d.Ended());
    EXPECT_EQ(core::LabelCount, 2000);
    ASSERT_TRUE(core::frmMain().Label.Exists(1999));
    EXPECT_TRUE(core::frmMain().Label(1999).Visible);
    EXPECT_GT(core::frmMain().Label(1999).Top, core::frmMain().Label(1998).Top) << "each label on its own row";
    // Every label reached the library, the last one too: it shows the time as the first one does.
    const std::string first = core::frmMain().Label(0).Caption;
    EXPECT_EQ(first.size(), 8u) << first;
    EXPECT_EQ(std::string(core::frmMain().Label(1999).Caption), first);
    // The handshake that sends the labels one by one nests no deeper for more labels.
    EXPECT_EQ(d.CountInDebugLog("dropped"), 0) << d.DebugLogText().substr(0, 2000);
}

}  // namespace
