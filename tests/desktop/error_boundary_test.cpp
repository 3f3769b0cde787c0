// The error boundary with the whole program running: an error thrown by a window procedure, a
// form's event or a timer is logged with its source, shown once per kind, and the program goes on.
#include <gtest/gtest.h>

#include <fstream>

#include "desktop_harness.h"
#include "platform/forms/forms.h"
#include "platform/window/loop.h"

using namespace platform;
using desktop::Desktop;

namespace {

constexpr UINT kThrowNow = WM_USER + 7;

LRESULT ThrowingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kThrowNow) throw Error("the window procedure failed");
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

int g_timerCalls = 0;
void ThrowingTimer(HWND, UINT, UINT_PTR, DWORD) {
    ++g_timerCalls;
    throw Error("the timer failed");
}

struct TickingForm : forms::Form {
    TickingForm() : Form("frmTicking") {
        tmrFault.Tick = [this] {
            ++ticks;
            throw Error("the form's timer event failed");
        };
    }
    forms::Timer tmrFault{this, "tmrFault"};
    int ticks = 0;
};

std::string LogOf(const Desktop& d) { return d.FileExists("!debug.dump") ? d.ReadFile("!debug.dump") : ""; }

int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

}  // namespace

TEST(ErrorBoundary, AnErrorEscapingAHandlerIsLoggedShownOncePerKindAndTheProgramGoesOn) {
    Desktop d({.prepare = [](auto& f) {
        std::ofstream(f / "Settings.ozrini") << "[Dralo Software Development Ruriv - Settings File]\n"
                                                "[Main Settings]\nRunCount=4\nSplash=0\n"
                                                "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n";
    }});
    ASSERT_TRUE(d.Start());
    const std::size_t boxesAtStart = d.MessageBoxes().size();

    // A window procedure, twice: the same failure is shown once.
    WNDCLASS wc;
    wc.lpfnWndProc = ThrowingProc;
    wc.lpszClassName = "FaultyWindow";
    ASSERT_TRUE(RegisterClass(&wc));
    HWND faulty = CreateWindowEx(0, "FaultyWindow", "faulty", WS_POPUP, 0, 0, 10, 10, HWND{});
    ASSERT_TRUE(faulty);
    PostMessage(faulty, kThrowNow, 0, 0);
    PostMessage(faulty, kThrowNow, 0, 0);
    d.Pump();
    EXPECT_EQ(SendMessage(faulty, kThrowNow, 0, 0), 0) << "a send that failed answers 0";

    // A form's timer event: its tick fires again afterwards, so its guard was cleared.
    TickingForm form;
    form.Load();
    form.tmrFault.Interval = 100;
    d.Advance(350);
    EXPECT_GE(form.ticks, 2) << "the tick guard was left set";
    EXPECT_FALSE(form.tmrFault.InEvent()) << "the event guard was left set";
    form.Unload();

    // A timer procedure.
    UINT_PTR timer = SetTimer(HWND{}, 0, 100, ThrowingTimer);
    d.Advance(250);
    KillTimer(HWND{}, timer);
    EXPECT_GE(g_timerCalls, 2);

    d.Advance(1000);
    EXPECT_FALSE(d.Ended()) << "the program goes on";
    EXPECT_TRUE(IsWindow(d.FindByTitle("OZR Ruriv Main Window")));

    const std::string log = LogOf(d);
    EXPECT_EQ(Count(log, "\"faulty\" (class FaultyWindow), message 0x" + [] {
                  char hex[8];
                  std::snprintf(hex, sizeof hex, "%04X", kThrowNow);
                  return std::string(hex);
              }() + " (wParam 0): the window procedure failed"),
              3);
    EXPECT_NE(log.find("(class OzrForm), message 0x0113 (wParam " + std::to_string(form.tmrFault.TimerId()) +
                       "): the form's timer event failed"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("timer " + std::to_string(timer) + " of window 0, message 0x0113"), std::string::npos) << log;
    EXPECT_NE(log.find("the timer failed"), std::string::npos);

    ASSERT_EQ(d.MessageBoxes().size(), boxesAtStart + 3) << "one box for each kind of failure";
    for (std::size_t i = boxesAtStart; i < d.MessageBoxes().size(); ++i) {
        const MessageBoxRequest& box = d.MessageBoxes()[i];
        EXPECT_EQ(box.caption, "OZR Ruriv - Error!");
        EXPECT_EQ(box.type, MB_ICONERROR | MB_SYSTEMMODAL);
        EXPECT_EQ(box.text.rfind("An unexpected error occurred in ", 0), 0u) << box.text;
    }
    EXPECT_NE(d.MessageBoxes()[boxesAtStart].text.find("the window procedure failed"), std::string::npos);
    DestroyWindow(faulty);
}
