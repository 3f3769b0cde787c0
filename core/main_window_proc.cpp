#include "core/main_window_proc.h"

#include <cstring>
#include <string>
#include <utility>

#include "core/commands.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/help_dismissal.h"
#include "core/hook_settings.h"

namespace core {
namespace {

using platform::COPYDATASTRUCT;
using platform::LPARAM;
using platform::LRESULT;
using platform::WPARAM;

// The 8-bit code page of our texts is UTF-8: the library sends each byte of a UTF-8 text as one
// 16-bit unit, so the low bytes put together are the text again.

// What the records of the label batch under way ask of the layout. The layout runs once, when the
// batch's closing record arrives: run for every record, a clock of n labels would be laid out n
// times per batch.
struct BatchLayout {
    bool due = false;        // a text the clock does not show yet: lay out
    bool forced = false;     // new flags of a label waiting for its layout: lay out all again
    bool positions = false;  // the systray clock: tell the library where the labels went
} g_batchLayout;

void RunBatchLayout() {
    const BatchLayout asked = std::exchange(g_batchLayout, BatchLayout{});
    if (asked.forced || asked.due) frmMain().UpdateDisplay(asked.forced);
    if (asked.positions) PushLabelPositionsToHook();
}

void TakeLabelFlags(const COPYDATASTRUCT& cds) {
    std::int16_t i = CopyDataLabelIndex;
    // A record for a label the program does not hold is ignored, never read or written out of range.
    if (i < 0 || i >= LabelCount || cds.cbData < 4 || !cds.lpData) return;
    auto at = static_cast<std::size_t>(i);
    std::int32_t flags = 0;
    std::memcpy(&flags, cds.lpData, 4);
    std::int32_t old = Labels[at].LabelFlags;
    Labels[at].LabelFlags = flags;
    LabelDisplay* d = LabelDisplayOf(i);
    if (d && d->LabelNeedsLayout && flags != old) {
        g_batchLayout.forced = true;
        d->LabelNeedsLayout = false;
    }
}

// A new text is shown as soon as its batch ends. The library renders the batch just after the
// wall clock's second; were the text left for the clock engine's next tick, which the platform
// also keeps to the second, the clock would show the second before for a whole second each time
// that tick came first.
void TakeLabelText(const COPYDATASTRUCT& cds) {
    std::int16_t i = CopyDataLabelIndex;
    if (i < 0) return;
    std::string text = LabelTextFromRecord(cds.lpData, cds.cbData);
    const LabelDisplay* shown = LabelDisplayOf(i);
    if (!shown || shown->LabelText != text) g_batchLayout.due = true;
    frmMain().SetLabelData(i, text);
    if (Settings.SystrayClock) g_batchLayout.positions = true;
}

LRESULT OnCopyData(platform::HWND hwnd, WPARAM wParam, LPARAM lParam) {
    DLLAnswered = true;
    if (LabelsRebuilding) return 0;
    const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!cds) return platform::CallWindowProc(OldWindowProc, hwnd, platform::WM_COPYDATA, wParam, lParam);
    switch (cds->dwData) {
        case CD_LABELINDEX: {
            std::int16_t index = 0;
            if (cds->lpData && cds->cbData >= 2) std::memcpy(&index, cds->lpData, 2);
            CopyDataLabelIndex = index;
            return 0;
        }
        case CD_LABELFLAGS: TakeLabelFlags(*cds); return 0;
        case CD_LABELTEXT: TakeLabelText(*cds); return 0;
        case CD_END: RunBatchLayout(); break;
        default: break;
    }
    return platform::CallWindowProc(OldWindowProc, hwnd, platform::WM_COPYDATA, wParam, lParam);
}

// The library's notices that are commands (the taskbar menu's items).
constexpr struct {
    WPARAM code;
    Command command;
} kNoticeCommands[] = {
    {CN_OPENSETTINGS, Command::ProgramSettings}, {CN_OPENALARMS, Command::AlarmSettings},
    {CN_OPENABOUT, Command::About},              {CN_EXIT, Command::Quit},
    {CN_SYNCCLOCK, Command::TimeSync},
};

LRESULT OnClockNotify(WPARAM code, LPARAM lParam) {
    for (const auto& notice : kNoticeCommands) {
        if (notice.code == code) {
            RunLater(notice.command);
            return 0;
        }
    }
    switch (code) {
        case CN_HELPDISMISSED: HideHelpEntry(static_cast<std::int32_t>(lParam)); break;
        case CN_ALARMWINDOWCLOSED: {
            auto index = static_cast<std::int32_t>(lParam);
            frmMain().AlarmWindowDied(index);
            break;
        }
        case CN_LABELSREADY:
            if (LabelsJustSent)
                LabelsJustSent = false;
            else
                SendLabelsToHook(false);
            break;
        default: break;  // CN_TASKBARDROPPED needs nothing
    }
    return 0;
}

}  // namespace

std::string LabelTextFromRecord(const void* data, std::uint32_t size) {
    std::string text;
    if (!data) return text;
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (std::uint32_t at = 0; at < size; at += 2) text += static_cast<char>(bytes[at]);
    return text;
}

LRESULT MainWindowProc(platform::HWND hwnd, platform::UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case platform::WM_SETTEXT: {
            // A library debug line; the title itself never changes.
            const char* line = reinterpret_cast<const char*>(lParam);
            DebugLog(line ? line : "");
            return 0;
        }
        case WM_CLOCKACTIVATE:
            if (wParam == 1) RunLater(Command::BringToForeground);
            break;
        case WM_CLOCKNOTIFY: return OnClockNotify(wParam, lParam);
        case WM_CLOCKQUIT: RunLater(Command::Quit); break;
        case platform::WM_CLOSE:
            // From anywhere (another program, an alarm's behaviour, the window manager): the clock
            // ends as Quit ends it, its settings and alarms saved, never left running without it.
            RunLater(Command::Quit);
            return 0;
        case platform::WM_COPYDATA: return OnCopyData(hwnd, wParam, lParam);
        default: break;
    }
    return platform::CallWindowProc(OldWindowProc, hwnd, msg, wParam, lParam);
}

}  // namespace core
