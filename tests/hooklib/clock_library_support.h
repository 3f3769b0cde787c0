// Tests of the library as the program uses it: the file loaded from the program folder's
// System/, its exports looked up by name, its shared section found by its name, and a main
// window that records the library's reports and debug lines.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "../platform/window/window_test_support.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/shared_state.h"
#include "platform/services/library_loader.h"
#include "platform/shell/taskbar.h"
#include "platform/shell/tray_messages.h"
#include "platform/window/loop.h"
#include "platform/window/screen.h"

namespace cliblib {
using namespace platform;

#define OZR_CLOCK_EXPORTS(X)                                                                                   \
    X(OZRSetClockImageResource) X(OZRSetClockWidth) X(OZRSetClockHeight) X(OZRSetClockStyle)                     \
    X(OZRSetClockBackground) X(OZRSetClockTransparent) X(OZRSetClockTooltip) X(OZRSetClockRefresh)               \
    X(OZRSetClockPaintThreshold) X(OZRSetClockBugFixer) X(OZRSetClockDebugMode) X(OZRSetClockLabelCount)         \
    X(OZRSetClockLabelProperties) X(OZRSetClockLabelPositioning) X(OZRSetClockShortcutCount)                     \
    X(OZRSetClockShortcut) X(OZRSetClockType) X(OZRRequestDLLStatus) X(OZRFireAlarm)                            \
    X(OZRTriggerSpecialBehavior) X(OZRShowPopupHelp) X(OZRSpecifyTooltipMasterWindow)                           \
    X(OZRNextAlarmFiringTime) X(OZRRemovePopupHelp) X(OZRKillSmartWindows) X(OZRHookSystem) X(OZRFreeDLLMemory) \
    X(OZRUnHookSystem)

inline std::string LibraryPath() { return std::string(OZR_PROGRAM_DIR) + "/System/libOZRClock.so"; }

// The library as loaded through the platform, with every export bound by name.
struct ClockLibrary {
#define OZR_MEMBER(name) decltype(&::name) name = nullptr;
    OZR_CLOCK_EXPORTS(OZR_MEMBER)
#undef OZR_MEMBER
    HMODULE module;
    hooklib::SharedHookState* share = nullptr;

    bool Load() {
        module = LoadLibrary(LibraryPath().c_str());
        if (!module) return false;
#define OZR_BIND(name) name = reinterpret_cast<decltype(&::name)>(GetProcAddress(module, #name));
        OZR_CLOCK_EXPORTS(OZR_BIND)
#undef OZR_BIND
        share = reinterpret_cast<hooklib::SharedHookState*>(GetProcAddress(module, "OZRShare"));
        return share != nullptr;
    }

    // The section's bytes, as another process mapping the library would see them.
    const std::uint8_t* Bytes() const { return reinterpret_cast<const std::uint8_t*>(share); }
    template <class T>
    T At(std::size_t offset) const {
        T value;
        std::memcpy(&value, Bytes() + offset, sizeof(T));
        return value;
    }
};

// One WM_COPYDATA record as the main window received it.
struct CopyRecord {
    std::uintptr_t type = 0;
    WPARAM wParam = 0;
    std::vector<std::uint8_t> bytes;

    std::int16_t Int16() const {
        std::int16_t v = 0;
        if (bytes.size() >= 2) std::memcpy(&v, bytes.data(), 2);
        return v;
    }
    std::uint32_t UInt32() const {
        std::uint32_t v = 0;
        if (bytes.size() >= 4) std::memcpy(&v, bytes.data(), 4);
        return v;
    }
    // A text record's units; the text is their low bytes.
    std::vector<std::uint16_t> Units() const {
        std::vector<std::uint16_t> units(bytes.size() / 2);
        if (!units.empty()) std::memcpy(units.data(), bytes.data(), units.size() * 2);
        return units;
    }
    std::string Text() const {
        std::string text;
        for (std::uint16_t u : Units()) text += static_cast<char>(u & 0xFF);
        return text;
    }
};

// The program's main window as the library finds it; it records what the library sends.
struct MainWindow {
    HWND hwnd;
    std::vector<WPARAM> codes;
    std::vector<LPARAM> codeParams;
    std::vector<std::string> lines;
    std::vector<CopyRecord> records;
    std::function<void(WPARAM)> onNotify;
    std::function<void(const std::string&)> onLine;
    std::function<void(const CopyRecord&)> onRecord;

    void Make() {
        hwnd = wintest::MakeWindow("Form", "OZR Ruriv Main Window");
        wintest::Reactions()[hwnd.id()] = [this](HWND, UINT msg, WPARAM w, LPARAM l, LRESULT* r) {
            if (msg == hooklib::WM_CLOCKNOTIFY) {
                codes.push_back(w);
                codeParams.push_back(l);
                if (onNotify) onNotify(w);
                *r = 0;
                return true;
            }
            if (msg == WM_SETTEXT) {
                lines.emplace_back(reinterpret_cast<const char*>(l));
                if (onLine) onLine(lines.back());
                *r = 1;
                return true;
            }
            if (msg == WM_COPYDATA) {
                const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(l);
                CopyRecord record;
                record.type = cds->dwData;
                record.wParam = w;
                const auto* data = static_cast<const std::uint8_t*>(cds->lpData);
                if (data) record.bytes.assign(data, data + cds->cbData);
                records.push_back(record);
                if (onRecord) onRecord(record);
                *r = 0;
                return true;
            }
            return false;
        };
    }
    int Count(WPARAM code) const { return static_cast<int>(std::count(codes.begin(), codes.end(), code)); }
    int CountLines(const std::string& line) const {
        return static_cast<int>(std::count(lines.begin(), lines.end(), line));
    }
    bool Logged(const std::string& line) const { return CountLines(line) > 0; }
};

// A taskbar, the main window and the loaded library; the systray clock set up as the program
// does before it hooks.
class LoadedLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        wintest::UseVirtualClock();
        SetScreenSize(SIZE{1280, 1024});
        main.Make();
        ASSERT_TRUE(lib.Load()) << LibraryLoadError();
    }
    void TearDown() override {
        if (lib.module) FreeLibrary(lib.module);
        StopShell();
        wintest::Reactions().erase(main.hwnd.id());
        DestroyWindow(main.hwnd);
    }
    void StartTaskbar() {
        ASSERT_TRUE(StartShell());
        bar = GetTaskbarWindows();
    }
    void SetUpSystrayClock() {
        lib.OZRSetClockStyle(2);  // the program's style: the library draws the labels
        lib.OZRSetClockDebugMode(1);
        lib.OZRSetClockRefresh(100);
        lib.OZRSetClockType(hooklib::kSystrayClock);
    }
    ClockLibrary lib;
    MainWindow main;
    TaskbarWindows bar;
};

}  // namespace cliblib
