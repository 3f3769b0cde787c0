// The alarm manager page's refresh of a fired alarm's rows: the activation time of every row that
// shows the alarm, nothing for other rows or an index that no row shows.
#include <gtest/gtest.h>

#include <fstream>

#include "alarmmanager/frm_seti_ram.h"
#include "core/alarm.h"
#include "core/globals.h"
#include "desktop_harness.h"

namespace {

TEST(AlarmManagerRows, TheRowsShowingAFiredAlarmGetItsActivationTime) {
    desktop::Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini")
            << "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";
    }});
    ASSERT_TRUE(d.Start());
    d.Advance(100);
    core::Alarms.assign(2, core::Alarm{});
    core::Alarms[1].FLAG = core::kAlarmPassed;
    core::Alarms[1].FIRE = core::MakeDateTime(2026, 3, 1, 7, 0, 0);
    core::AlarmsLoaded = true;

    auto& page = alarmmanager::frmSetiRAM();
    page.flxAlarms.Cols = 4;
    page.flxAlarms.Rows = 5;  // the header, three alarm rows, the closing row
    page.flxAlarms.RowData(1) = 0;
    page.flxAlarms.RowData(2) = 1;
    page.flxAlarms.RowData(3) = 1;
    page.flxAlarms.RowData(4) = 1;  // the closing row is never an alarm's
    std::int16_t index = 1;
    page.UpdateAlarmStatusPictureAndText(index);
    EXPECT_EQ(page.flxAlarms.TextMatrix(1, 3)(), "");
    EXPECT_EQ(page.flxAlarms.TextMatrix(2, 3)(), "2026-03-01 07:00:00");
    EXPECT_EQ(page.flxAlarms.TextMatrix(3, 3)(), "2026-03-01 07:00:00");
    EXPECT_EQ(page.flxAlarms.TextMatrix(4, 3)(), "");
    for (std::int16_t other : {std::int16_t{7}, std::int16_t{-1}}) page.UpdateAlarmStatusPictureAndText(other);
    core::AlarmsLoaded = false;
    core::Alarms[0].FIRE = core::MakeDateTime(2026, 3, 1, 8, 0, 0);
    index = 0;
    page.UpdateAlarmStatusPictureAndText(index);
    EXPECT_EQ(page.flxAlarms.TextMatrix(1, 3)(), "");
    page.Unload();
}

}  // namespace
