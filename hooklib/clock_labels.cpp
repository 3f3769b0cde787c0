#include "hooklib/clock_labels.h"

#include "hooklib/bounded_text.h"
#include "hooklib/context_labels.h"
#include "hooklib/label_tokens.h"
#include "hooklib/ozrclock_exports.h"
#include "hooklib/pending_steps.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

using platform::HWND;

HWND TrayClock() { return HWND{Share().TrayClockWindow}; }

// Runs the hook in the taskbar's context, where the request is served before the send returns.
void SendRequestToTaskbar() { platform::SendMessage(TrayClock(), platform::WM_PAINT, 0, 0); }

void AllocateLabels() {
    std::uint32_t id = AllocateLabelStore(Share().HookLabelCount);
    Share().HookLabels = id;
    Share().LabelFonts = id;
}

void LogIfCut(bool fitted, const char* what) {
    if (!fitted) LogDebug(std::string("{OZRSetClockLabelProperties}: ") + what + " too long for its field; cut.");
}

bool FitsIn(const char* text, std::size_t limit) {
    std::string_view whole = text ? text : "";
    return FitText(whole, limit).size() == whole.size();
}

void TakeStagedProperties(HookLabel& label, const LabelStaging& staged) {
    label.X = staged.X;
    label.Y = staged.Y;
    SetLabelFace(label, std::string_view(staged.Face, sizeof(staged.Face)));
    label.Size = staged.Size;
    label.Weight = staged.Weight;
    label.Italic = staged.Italic;
    label.Underline = staged.Underline;
    label.StrikeOut = staged.StrikeOut;
    label.BackColor = static_cast<std::uint32_t>(staged.BackColor);
    label.TextColor = static_cast<std::uint32_t>(staged.TextColor);
    SetLabelFormatText(label, std::string_view(staged.Format, sizeof(staged.Format)));
    label.LabelFlags = 0;
    label.Shown = staged.Shown;
}

void ServeAllocation() {
    Share().LabelAllocPending = 0;
    AllocateLabels();
    NotifyProgram(CN_LABELSREADY, 0);
}

void ServeProperties() {
    Share().LabelPropertiesPending = 0;
    HookLabel* label = ContextLabel(Share().StagedLabelIndex);
    if (!label) return;
    TakeStagedProperties(*label, Share().Staging);
    if (label->Prepared)
        LogDebugNumber("{CALLBACK => MsgProc}: Deleted old font. Result: ", DeleteLabelFont(Share().StagedLabelIndex));
    label->Prepared = 0;
    RecomputeLabelsShareBackground();
    NotifyProgram(CN_LABELSREADY, 0);
}

void ServePosition() {
    Share().LabelPositionPending = 0;
    HookLabel* label = ContextLabel(Share().StagedLabelIndex);
    if (!label) return;
    label->X = Share().Staging.X;
    label->Y = Share().Staging.Y;
}

// An index the label count does not hold changes nothing (taskbar mode: nothing is staged).
bool IndexInCount(std::int16_t index) { return index >= 0 && index < Share().HookLabelCount; }

}  // namespace

void ServeLabelRequests() {
    // Each answer may make the program send the next request, served by a nested hook call.
    if (Share().LabelAllocPending) ServeAllocation();
    if (Share().LabelPropertiesPending) ServeProperties();
    if (Share().LabelPositionPending) ServePosition();
}

void ReleaseOwnLabels() {
    SharedHookState& s = Share();
    if (ReleaseLabelStore(s.HookLabels)) {
        s.HookLabels = 0;
        s.LabelFonts = 0;
    }
    ReleaseContextLabelStores();
}

void RecomputeLabelsShareBackground() {
    std::uint8_t share = 1;
    for (const HookLabel& label : ContextLabels())
        if (label.Shown && label.BackColor != static_cast<std::uint32_t>(Share().ClockBackground)) share = 0;
    Share().LabelsShareBackground = share;
}

}  // namespace hooklib

using namespace hooklib;

void OZRSetClockLabelCount(std::int16_t count) {
    SharedHookState& s = Share();
    s.HookLabelCount = count < 0 ? 0 : count;
    if (s.FloatingMode) {
        AllocateLabels();
        NotifyProgram(CN_LABELSREADY, 0);
    } else {
        s.LabelAllocPending = 1;
        SendRequestToTaskbar();
    }
    LogDebugNumber("{OZRSetClockLabelCount}: Changed Ruriv Label Count to: ", count);
}

void OZRSetClockLabelProperties(std::int16_t index, std::int16_t x, std::int16_t y, const char* face,
                                std::int16_t size, std::int16_t weight, std::uint8_t italic, std::uint8_t underline,
                                std::uint8_t strikeOut, platform::COLORREF backColour, platform::COLORREF textColour,
                                const char* format, std::uint8_t shown) {
    SharedHookState& s = Share();
    if (s.FloatingMode) {
        HookLabel* label = ContextLabel(index);
        if (!label) return;
        label->X = x;
        label->Y = y;
        LogIfCut(FitsIn(face, kLabelFaceMax), "Face");
        LogIfCut(FitsIn(format, kLabelFormatMax), "Format");
        SetLabelFace(*label, face ? face : "");
        label->Size = size;
        label->Weight = weight;
        label->Italic = italic;
        label->Underline = underline;
        label->StrikeOut = strikeOut;
        label->BackColor = backColour;
        label->TextColor = textColour;
        SetLabelFormatText(*label, format ? format : "");
        label->LabelFlags = 0;
        label->Shown = 1;  // the floating clock shows every label it is sent
        ParseLabelFormat(*label);
        s.LabelsReported = 0;
        NotifyProgram(CN_LABELSREADY, 0);
        return;
    }
    if (!IndexInCount(index)) return;
    LabelStaging& staged = s.Staging;
    s.StagedLabelIndex = index;
    staged.X = x;
    staged.Y = y;
    LogIfCut(CopyToField(staged.Face, face, kLabelFaceMax), "Face");
    staged.Size = size;
    staged.Weight = weight;
    staged.Italic = italic;
    staged.Underline = underline;
    staged.StrikeOut = strikeOut;
    staged.BackColor = static_cast<std::int32_t>(backColour);
    staged.TextColor = static_cast<std::int32_t>(textColour);
    // The record holds no more than this, whatever room the staging area has.
    LogIfCut(CopyToField(staged.Format, format, kLabelFormatMax), "Format");
    staged.Shown = shown;
    s.LabelPropertiesPending = 1;
    SendRequestToTaskbar();
}

void OZRSetClockLabelPositioning(std::int16_t index, std::int16_t x, std::int16_t y) {
    SharedHookState& s = Share();
    if (s.FloatingMode) {
        if (HookLabel* label = ContextLabel(index)) {
            label->X = x;
            label->Y = y;
        }
        return;
    }
    if (!IndexInCount(index)) return;
    s.StagedLabelIndex = index;
    s.Staging.X = x;
    s.Staging.Y = y;
    s.LabelPositionPending = 1;
    SendRequestToTaskbar();
}

void OZRFreeDLLMemory() { ReleaseOwnLabels(); }
