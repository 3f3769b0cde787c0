// What the alarm tests share: a fresh program folder, the local time zone UTC, a virtual clock set
// to a given local time, an empty alarm list, the library calls kept quiet and the message boxes
// recorded.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/globals.h"
#include "core/library_binding.h"
#include "tests/support/recording_library_failure.h"
#include "tests/platform/services/temp_folder.h"
#include "tests/support/test_services.h"

class AlarmTest : public testing::Test {
protected:
    void SetUp() override {
        setenv("TZ", "UTC", 1);
        tzset();
        SetNow("2024-01-08T10:30:00");  // a Monday
        core::StartTime = core::ParseDateTimeString("2024-01-01 00:00:00");
        core::Alarms.assign(1, core::Alarm{});
        core::AlarmsLoaded = false;
        core::RescanCounter = 0;
        core::DebugOutputOn = 0;
        core::ResetLibraryBinding();
        testsupport::UseRecordingLibraryFailure();
    }
    void TearDown() override {
        core::ResetLibraryBinding();
        core::Alarms.assign(1, core::Alarm{});
    }

    // The local time of the virtual clock, "YYYY-MM-DDTHH:MM:SS" plus milliseconds.
    static void SetNow(const char* local, int ms = 0) {
        std::int64_t utcMs = 0;
        ASSERT_TRUE(platform::ParseLocalTimestamp(local, &utcMs)) << local;
        testsupport::UseRecordingClock(utcMs + ms);
    }
    static core::DateTime At(const char* text) { return core::ParseDateTimeString(text); }
    static std::string Text(const core::DateTime& d) { return core::FormatDateTimeString(d); }

    // The first line of each message box shown.
    std::vector<std::string> Boxes() const {
        std::vector<std::string> lines;
        for (const platform::MessageBoxRequest& box : messageBoxes.Requests()) lines.push_back(box.text.substr(0, box.text.find('\r')));
        return lines;
    }

    testsupport::ServiceScope services;
    testsupport::RecordingMessageBoxes& messageBoxes = testsupport::UseRecordingMessageBoxes();
    TempProgramFolder folder;
};
