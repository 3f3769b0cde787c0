// Alarm windows and other smart windows made by the library's code in this process, with a
// main window that records the reports, on a 1280 x 1024 screen with a virtual clock.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "clock_library_support.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"
#include "hooklib/smart_window_manager.h"
#include "platform/services/clock.h"
#include "platform/window/input.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"

namespace smarttest {
using namespace platform;
using namespace hooklib;

// One OZRFireAlarm call's arguments, with the values of a plain alarm.
struct AlarmCall {
    std::int32_t id = 7;
    std::string title = "Tea";
    std::string text = "The tea is ready.";
    std::uint8_t position = 0;
    SlideSettings slide{300, -1, 0, 255, 12, 0, 300, -1, 0, 0, 10, 0};
    int x = 100, y = 100, width = 200, height = 100;
    std::uint8_t style = 0;
    std::uint32_t properties = 0;
    COLORREF key = 0;
    std::uint8_t alpha = 255, visuals = 0;
    COLORREF back = 0xFFFFFF, fore = 0;
    std::uint32_t flags = 0;
    std::string face = "Arial";
    std::int16_t size = 10, weight = 400;
    std::string icon, background;

    void Fire() const {
        AlarmFontRecord font{0, 0, face.c_str(), size, weight, 0, 0, 0};
        OZRFireAlarm(id, title.c_str(), text.c_str(), position, &slide, static_cast<std::int16_t>(x),
                     static_cast<std::int16_t>(y), static_cast<std::int16_t>(width), static_cast<std::int16_t>(height),
                     style, properties, key, alpha, visuals, back, fore, flags, &font,
                     icon.empty() ? nullptr : icon.c_str(), background.empty() ? nullptr : background.c_str());
    }
};

class SmartWindows : public ::testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        SetScreenSize(SIZE{1280, 1024});
        main.Make();
        Share().MainWindow = main.hwnd.id();
    }
    void TearDown() override {
        FreeSmartWindowManager();
        Share().MainWindow = 0;
        wintest::Reactions().erase(main.hwnd.id());
        DestroyWindow(main.hwnd);
    }
    // The newest alarm window.
    SmartWindow* Newest() {
        SmartWindowManager* m = ExistingSmartWindowManager();
        return m && !m->AlarmWindows.empty() ? m->AlarmWindows.back().window : nullptr;
    }
    RECT RectOf(SmartWindow* w) {
        RECT r;
        GetWindowRect(w->Handle, &r);
        return r;
    }
    // Runs the loop one platform tick at a time; returns how many ticks passed until done().
    template <class Done>
    int TicksUntil(Done done, int limit = 1000) {
        for (int n = 0; n < limit; ++n) {
            if (done()) return n;
            RunFor(15);
        }
        return -1;
    }
    int Closed(std::int32_t id) const {
        int n = 0;
        for (std::size_t i = 0; i < main.codes.size(); ++i)
            if (main.codes[i] == CN_ALARMWINDOWCLOSED && main.codeParams[i] == id) ++n;
        return n;
    }
    cliblib::MainWindow main;
};

}  // namespace smarttest
