// The program's side of the library: the set-up order, the nested label handshake, the main
// window procedure's messages and the reload watchdog, against a recording stand-in library.
#include <gtest/gtest.h>

#include <fstream>

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/hook_settings.h"
#include "core/main_window_proc.h"
#include "desktop_harness.h"
#include "fake_library.h"

using namespace platform;
using namespace desktop;

namespace {

const char* kHeader = "[Dralo Software Development Ruriv - Settings File]\n[Main Settings]\nRunCount=4\nSplash=0\n";

DesktopOptions WithFakeLibrary(const std::string& settings = kHeader) {
    DesktopOptions o;
    o.prepare = [settings](const std::filesystem::path& folder) {
        InstallFakeLibrary(folder);
        std::ofstream(folder / "Settings.ozrini") << settings;
    };
    return o;
}

std::vector<std::string> Starting(const std::vector<std::string>& calls, const std::string& prefix) {
    std::vector<std::string> out;
    for (const auto& c : calls)
        if (c.rfind(prefix, 0) == 0) out.push_back(c);
    return out;
}

TEST(LibraryBinding, SetsTheLibraryUpInItsOrderAndHandsOverEveryLabelNested) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    FakeLibrary lib;
    std::vector<std::string> calls = lib.Calls();
    std::vector<std::string> expected = {
        "OZRSetClockImageResource", "OZRSetClockStyle 2", "OZRSetClockBackground", "OZRSetClockTransparent",
        "OZRSetClockTooltip", "OZRSetClockRefresh", "OZRSetClockPaintThreshold", "OZRSetClockBugFixer",
        "OZRSetClockDebugMode", "OZRSetClockShortcutCount 0", "OZRSetClockType 1", "OZRHookSystem",
        "OZRSetClockLabelCount 2"};
    ASSERT_GE(calls.size(), expected.size() + 2);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 13), expected);
    EXPECT_EQ(calls[13].substr(0, 29), "OZRSetClockLabelProperties 0 ");
    EXPECT_EQ(calls[14].substr(0, 29), "OZRSetClockLabelProperties 1 ");
    // The handshake ended inside the first call: the index passed the last label.
    EXPECT_EQ(core::LabelSendIndex, core::LabelCount);
    EXPECT_FALSE(core::LabelsRebuilding);
}

TEST(LibraryBinding, NoLabelsSendNoCount) {
    Desktop d(WithFakeLibrary(std::string(kHeader) + "[Labels]\n"));
    ASSERT_TRUE(d.Start());
    EXPECT_EQ(core::LabelCount, 0);
    EXPECT_TRUE(Starting(FakeLibrary().Calls(), "OZRSetClockLabel").empty());
}

TEST(LibraryBinding, ALabelAddedDuringTheHandshakeIsSentToo) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    FakeLibrary lib;
    lib.Clear();
    // While the first label's acknowledgement is being handled, a third label appears.
    static bool added;
    added = false;
    static LONG previous;
    previous = SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, AddressOf([](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == core::WM_CLOCKNOTIFY && w == core::CN_LABELSREADY && core::LabelSendIndex == 0 && !added) {
            added = true;
            core::Labels.insert(core::Labels.begin() + core::LabelCount, core::Labels[0]);
            ++core::LabelCount;
        }
        return CallWindowProc(previous, h, m, w, l);
    }));
    core::SendLabelsToHook(true);
    auto props = Starting(lib.Calls(), "OZRSetClockLabelProperties");
    ASSERT_EQ(props.size(), 3u);
    EXPECT_EQ(props[2].substr(0, 29), "OZRSetClockLabelProperties 2 ");
    SetWindowLong(core::frmMain().hWnd, GWL_WNDPROC, previous);
}

TEST(LibraryBinding, ALabelSentAloneIsNotFollowedByTheNext) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    FakeLibrary lib;
    lib.Clear();
    std::int16_t before = core::LabelSendIndex;
    core::LabelsJustSent = true;
    SendMessage(core::frmMain().hWnd, core::WM_CLOCKNOTIFY, core::CN_LABELSREADY, 0);
    EXPECT_FALSE(core::LabelsJustSent);
    EXPECT_TRUE(lib.Calls().empty());
    EXPECT_EQ(core::LabelSendIndex, before);
}

TEST(MainWindowProc, NotificationCodesBecomeCommandsAndUnknownOnesChangeNothing) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    HWND main = core::frmMain().hWnd;
    struct Case {
        UINT msg;
        WPARAM code;
        const char* command;
    } cases[] = {
        {core::WM_CLOCKNOTIFY, core::CN_OPENSETTINGS, "Program Settings - Program Settings"},
        {core::WM_CLOCKNOTIFY, core::CN_OPENALARMS, "Program Settings - Alarm Settings"},
        {core::WM_CLOCKNOTIFY, core::CN_OPENABOUT, "About"},
        {core::WM_CLOCKNOTIFY, core::CN_SYNCCLOCK, "Atomic Ruriv Sync"},
        {core::WM_CLOCKACTIVATE, 1, "Bring To Foreground"},
        {core::WM_CLOCKNOTIFY, 99, nullptr},
        {core::WM_CLOCKACTIVATE, 2, nullptr},
        {core::WM_CLOCKNOTIFY, core::CN_TASKBARDROPPED, nullptr},
    };
    for (const Case& c : cases) {
        core::PendingCommand = "untouched";
        core::frmMain().Tricker.Enabled = false;
        SendMessage(main, c.msg, c.code, 0);
        EXPECT_EQ(core::PendingCommand, c.command ? c.command : "untouched") << c.code;
        EXPECT_EQ(static_cast<bool>(core::frmMain().Tricker.Enabled), c.command != nullptr) << c.code;
    }
    // The title never changes: a library line is logged instead.
    SendMessage(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("{PaintClock}: forty characters of debug text"));
    EXPECT_EQ(d.Text(main), "OZR Ruriv Main Window");
    SendMessage(main, core::WM_CLOCKNOTIFY, core::CN_EXIT, 0);
    d.Advance(50);
    EXPECT_TRUE(d.Ended());
}

TEST(MainWindowProc, LabelBatchesStoreTextsAndIgnoreLabelsThatDoNotExist) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    HWND main = core::frmMain().hWnd;
    auto send = [&](std::uintptr_t type, const void* data, DWORD size) {
        COPYDATASTRUCT cds{type, size, data};
        return SendMessage(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    };
    std::int16_t index = 0;
    std::int32_t flags = 0x04;
    const char text[] = {'1', 0, '3', 0, ':', 0, '0', 0, '4', 0};
    // Label 0's batch, then label 1's (hidden labels report texts too).
    send(core::CD_LABELINDEX, &index, 2);
    send(core::CD_LABELTEXT, text, 4);
    index = 1;
    send(core::CD_LABELINDEX, &index, 2);
    send(core::CD_LABELFLAGS, &flags, 4);
    send(core::CD_LABELTEXT, text, sizeof(text));
    EXPECT_EQ(core::LabelDisplays[0].LabelText, "13");
    EXPECT_EQ(core::LabelDisplays[1].LabelText, "13:04");
    EXPECT_EQ(core::Labels[1].LabelFlags, 0x04);
    // A record for a label the program does not hold changes nothing and reads nothing beyond it.
    std::int16_t wild = 3000;
    send(core::CD_LABELINDEX, &wild, 2);
    send(core::CD_LABELFLAGS, &flags, 4);
    send(core::CD_LABELFLAGS, &flags, 1);
    EXPECT_EQ(core::LabelDisplays.size(), static_cast<std::size_t>(core::DisplayLabelCount) + 1);
    // While labels are being rebuilt, a whole batch changes nothing but still counts as an answer.
    core::LabelsRebuilding = true;
    core::DLLAnswered = false;
    index = 0;
    send(core::CD_LABELINDEX, &index, 2);
    send(core::CD_LABELTEXT, text + 4, 4);
    EXPECT_EQ(send(core::CD_END, nullptr, 0), 0);
    EXPECT_EQ(core::LabelDisplays[0].LabelText, "13");
    EXPECT_TRUE(core::DLLAnswered);
    core::LabelsRebuilding = false;
    // An empty text record stores an empty text.
    index = 1;
    send(core::CD_LABELINDEX, &index, 2);
    send(core::CD_LABELTEXT, text, 0);
    EXPECT_EQ(core::LabelDisplays[1].LabelText, "");
}

TEST(ReloadWatchdog, ALibraryThatNeverAnswersEndsTheProgramAfterTheSixthReload) {
    Desktop d(WithFakeLibrary());
    ASSERT_TRUE(d.Start());
    FakeLibrary lib;
    lib.Answers(false);
    core::Settings.SystrayClock = true;
    core::frmMain().SwitchClockMode();
    d.Advance(5500);
    EXPECT_FALSE(d.Ended());
    EXPECT_TRUE(d.MessageBoxes().empty());
    d.Advance(1000);
    ASSERT_EQ(d.MessageBoxes().size(), 1u);  // once, not once a second
    EXPECT_EQ(d.MessageBoxes()[0].type, 4112u);
    d.Advance(3000);
    EXPECT_EQ(d.MessageBoxes().size(), 1u);
    EXPECT_TRUE(d.Ended());
    // The set-up ran once at the switch and six times from the watchdog.
    EXPECT_EQ(Starting(lib.Calls(), "OZRHookSystem").size(), 1u + 1u + 6u);
}

TEST(ReloadWatchdog, AnAnsweringLibraryIsReportedReloadedOnTheFirstTick) {
    Desktop d(WithFakeLibrary(std::string(kHeader) + "[ADVANCED: DO NOT MODIFY UNLESS YOU KNOW WHAT YOU'RE DOING!]\nDebugMode=1\n"));
    ASSERT_TRUE(d.Start());
    core::Settings.SystrayClock = true;
    core::frmMain().SwitchClockMode();
    // The stand-in acknowledges but sends no batch; a batch is what counts as an answer.
    std::int16_t index = 0;
    COPYDATASTRUCT cds{core::CD_LABELINDEX, 2, &index};
    SendMessage(core::frmMain().hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    d.Advance(1600);  // a whole-second timer ticks just after a second of the wall clock
    EXPECT_NE(d.ReadFile("!debug.dump").find("[frmMain]: OZR Ruriv DLL successfully reloaded"), std::string::npos);
    EXPECT_FALSE(core::frmMain().DLLReloader.Enabled);
}

}  // namespace
