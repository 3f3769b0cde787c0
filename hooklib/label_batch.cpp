#include "hooklib/label_batch.h"

#include <optional>
#include <string>

#include "hooklib/context_labels.h"
#include "hooklib/label_text_now.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/process_state.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "hooklib/taskbar_probe.h"
#include "platform/scoped_value.h"
#include "platform/shell/tray_messages.h"

namespace hooklib {
namespace {

using platform::HWND;

constexpr std::int32_t kMaxSizeFixes = 100;

bool& ThisContextSendsABatch() {
    static bool sending[platform::kContextCount] = {};
    return sending[static_cast<int>(platform::CurrentContext())];
}

void SendRecord(std::uintptr_t type, const void* data, std::size_t bytes) {
    const HWND main{Share().MainWindow};
    if (!main) return;
    platform::COPYDATASTRUCT record;
    record.dwData = type;
    record.cbData = static_cast<platform::DWORD>(bytes);
    record.lpData = bytes ? data : nullptr;
    platform::SendMessage(main, platform::WM_COPYDATA, static_cast<platform::WPARAM>(main.id()),
                          reinterpret_cast<platform::LPARAM>(&record));
}

// Everything one label's records carry, taken before the first of them is sent: while a record
// is handled the program may change or replace the labels.
struct LabelReport {
    std::int16_t index;
    std::uint32_t flags;
    std::vector<std::uint16_t> text;
};

std::optional<LabelReport> ReportOf(int index) {
    const HookLabel* label = ContextLabel(index);
    if (!label || !label->Shown || label->Size == 0) return std::nullopt;
    if (!label->Prepared && !Share().FloatingMode) return std::nullopt;
    return LabelReport{static_cast<std::int16_t>(index), label->LabelFlags, WidenText(RenderLabelNow(*label))};
}

void SendBatch() {
    Share().LabelsReported = 1;
    for (int i = 0; i < Share().HookLabelCount; ++i) {
        const std::optional<LabelReport> report = ReportOf(i);
        if (!report) continue;
        SendRecord(CD_LABELINDEX, &report->index, sizeof report->index);
        SendRecord(CD_LABELFLAGS, &report->flags, sizeof report->flags);
        SendRecord(CD_LABELTEXT, report->text.data(), report->text.size() * sizeof(std::uint16_t));
    }
    const std::int16_t count = Share().HookLabelCount;
    SendRecord(CD_END, &count, sizeof count);
}

bool IsVerticalTaskbar() { return Share().TaskbarPosition == kEdgeLeft || Share().TaskbarPosition == kEdgeRight; }

// The tray may not have taken the size the program asked for; it is asked again, a bounded
// number of times per hook.
void CheckClockSize() {
    SharedHookState& s = Share();
    const HWND clock{s.TrayClockWindow};
    platform::RECT client;
    if (!platform::GetClientRect(clock, &client)) return;
    const bool fits = IsVerticalTaskbar() ? s.TrayClockHeight == client.height() : s.TrayClockWidth == client.width();
    if (fits || s.SizeFixCount >= kMaxSizeFixes) return;
    LogDebugNumber("{SynchronizeWithProgram}: Found out that the Systray Ruriv size is not right. Attempting to fix. "
                   "Current fix count is: ",
                   s.SizeFixCount);
    ++s.SizeFixCount;
    NudgeTaskBar();
    platform::SendMessage(clock, platform::WM_TRAYCLOCKSIZE, 0, 0);
}

}  // namespace

std::vector<std::uint16_t> WidenText(std::string_view text) {
    std::vector<std::uint16_t> units;
    units.reserve(text.size());
    for (char c : text) units.push_back(static_cast<std::uint16_t>(static_cast<std::int16_t>(static_cast<signed char>(c))));
    return units;
}

void SynchronizeWithProgram() {
    bool& sending = ThisContextSendsABatch();
    if (sending) {
        Share().LabelsReported = 0;
        return;
    }
    {
        platform::ScopedValue<bool> batch(sending, true);
        SendBatch();
    }
    // The floating clock leaves the taskbar's own clock alone.
    if (!Share().FloatingMode) CheckClockSize();
}

void DataBridgeTmrProc(platform::HWND, platform::UINT, platform::UINT_PTR, platform::DWORD) {
    SharedHookState& s = Share();
    if (s.DataBridgeFirstTick) {
        s.DataBridgeFirstTick = 0;
        StartLibraryTimer(LibraryTimer::DataBridge, 1000, DataBridgeTmrProc);
        LogDebug("{CALLBACK => DataBridgeTmrProc}: Slowed down DataBridge Timer.");
    }
    if (s.FloatingMode)
        SynchronizeWithProgram();
    else
        s.LabelsReported = 0;
}

}  // namespace hooklib
