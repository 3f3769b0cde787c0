// The taskbar clock's click actions: the timestamp text and which click does which.
#include <gtest/gtest.h>

#include "hooklib/click_actions.h"
#include "hooklib/shared_state.h"
#include "tests/support/locale_scope.h"
#include "tests/support/test_services.h"

namespace {

using namespace hooklib;

TEST(ClickActions, TheTimestampIsTheDateTheShortDayNameAndTheTime) {
    testsupport::LocaleScope english("C");
    platform::SYSTEMTIME t{};
    t.wYear = 2025;
    t.wMonth = 5;
    t.wDay = 5;
    t.wHour = 7;
    t.wMinute = 8;
    t.wSecond = 9;
    EXPECT_EQ(TimestampText(t), "2025_05_05_Mon_07_08_09");
    t.wYear = 2099;
    t.wMonth = 12;
    t.wDay = 31;
    t.wHour = 23;
    t.wMinute = 59;
    t.wSecond = 59;
    EXPECT_EQ(TimestampText(t).substr(0, 11), "2099_12_31_");
    EXPECT_EQ(TimestampText(t).substr(14), "_23_59_59");
}

TEST(ClickActions, ShortcutSwapDecidesWhichClickCopiesAndWhichOpensTheSettings) {
    testsupport::ServiceScope services;
    auto& clipboard = testsupport::UseRecordingClipboard();
    auto& settings = testsupport::UseRecordingDateTimeSettings();
    Share().ShortcutSwap = 0;
    RunSingleClickAction();
    EXPECT_EQ(clipboard.texts.size(), 1u);
    RunDoubleClickAction();
    EXPECT_EQ(settings.opened, 1);
    Share().ShortcutSwap = 1;
    RunSingleClickAction();
    EXPECT_EQ(settings.opened, 2);
    EXPECT_EQ(clipboard.texts.size(), 1u);
    RunDoubleClickAction();
    EXPECT_EQ(clipboard.texts.size(), 2u);
    Share().ShortcutSwap = 0;
}

}  // namespace
