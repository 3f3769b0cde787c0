#include "core/hook_settings.h"

#include <cmath>

#include "core/frm_main.h"
#include "core/globals.h"
#include "core/library_binding.h"
#include "core/rounding.h"
#include "platform/forms/constants.h"
#include "platform/services/paths.h"

namespace core {
namespace {

// A label's properties with the position given.
void SendLabelProperties(std::int16_t index, std::int16_t x, std::int16_t y) {
    const ClockLabel& l = Labels[static_cast<std::size_t>(index)];
    OZRSetClockLabelProperties(index, x, y, l.Face, l.Size, l.Bold, l.Italic ? 0xFF : 0, l.Underline ? 0xFF : 0,
                               l.StrikeOut ? 0xFF : 0, static_cast<platform::COLORREF>(l.Back),
                               static_cast<platform::COLORREF>(l.Fore), l.SpawnString, l.Visible ? 0xFF : 0);
}

void SendNextLabel() {
    if (LabelSendIndex >= LabelCount) {
        LabelsRebuilding = false;
        frmMain().UpdateDisplay(true);
        return;
    }
    const ClockLabel& l = Labels[static_cast<std::size_t>(LabelSendIndex)];
    // The library now holds this place for the label, whatever was pushed to it before (texts may
    // arrive, and places be pushed, while the handshake runs): the next texts push its own again.
    if (LabelDisplay* d = LabelDisplayOf(LabelSendIndex)) {
        d->HookLabelX = l.X;
        d->HookLabelY = l.Y;
    }
    SendLabelProperties(LabelSendIndex, l.X, l.Y);
}

}  // namespace

void ApplyHookSettings() {
    const ProgramSettings& s = Settings;
    OZRSetClockImageResource(platform::ProgramFolder() + "\\GUI\\");
    OZRSetClockStyle(2);  // the library draws the labels itself
    OZRSetClockBackground(static_cast<platform::COLORREF>(s.FloatBackColor));
    OZRSetClockTransparent(s.TransparentMode ? 0xFF : 0);
    OZRSetClockTooltip(s.Tooltip ? 0xFF : 0, s.TooltipDelay, s.TooltipFadeIn, s.TooltipFadeOut, s.TooltipMaxOpacity);
    OZRSetClockRefresh(s.Refresh);
    OZRSetClockPaintThreshold(s.PaintThreshold);
    OZRSetClockBugFixer(s.OSBugFixer ? 0xFF : 0);
    OZRSetClockDebugMode(s.DLLDebugMode ? 0xFF : 0);
    OZRSetClockShortcutCount(s.OZRShortcut ? 1 : 0);
    std::uint8_t type;
    if (!s.SystrayClock) {
        frmMain().Show();
        type = hooklib::kFloatingClock;
    } else {
        frmMain().Hide();
        type = hooklib::kSystrayClock;
    }
    OZRSetClockType(type);
    OZRHookSystem();
    SendLabelsToHook(true);
}

void SendLabelsToHook(bool start) {
    if (start) {
        LabelSendIndex = -1;
        if (LabelCount == 0)
            frmMain().NoLabelsToDisplay();
        else
            OZRSetClockLabelCount(LabelCount);  // the whole handshake runs nested inside this call
        return;
    }
    // The library asks for the next label from inside its answer to the last one. Answered there,
    // each label would nest one send deeper, and a clock of a few thousand labels would pass the
    // depth at which sends are refused and lose the rest of its labels; so the first answer runs
    // the handshake as a loop and every later one, nested inside it, only tells the loop to go on.
    static bool sending = false;
    static bool nextDue = false;
    if (sending) {
        nextDue = true;
        return;
    }
    struct Sending {
        Sending() { sending = true; }
        ~Sending() { sending = false; }
    } guard;
    do {
        nextDue = false;
        LabelSendIndex = static_cast<std::int16_t>(LabelSendIndex + 1);
        SendNextLabel();
    } while (nextDue);
}

void SendOneLabelToHook(int index) {
    if (index < 0 || index >= LabelCount || static_cast<std::size_t>(index) >= Labels.size()) return;
    const LabelDisplay* display = LabelDisplayOf(index);
    LabelsJustSent = true;
    SendLabelProperties(static_cast<std::int16_t>(index), display ? display->HookLabelX : 0,
                        display ? display->HookLabelY : 0);
}

void PushLabelPositionsToHook() {
    bool moved = false;
    auto& labels = frmMain().Label;
    int controls = labels.Count();
    std::size_t bound = LabelDisplays.size() - 1;  // DisplayLabelCount + 1 records
    for (int i = 0; i < controls && static_cast<std::size_t>(i) < bound; ++i) {
        if (!labels.Exists(i)) continue;
        float x = static_cast<float>(labels(i).Left) / 15.0f;
        float y = static_cast<float>(labels(i).Top) / 15.0f + static_cast<float>(Settings.PositionY);
        // Compared rounded, as they are stored: an unchanged label is not sent again.
        auto rx = static_cast<std::int16_t>(RoundHalfEven(x));
        auto ry = static_cast<std::int16_t>(RoundHalfEven(y));
        LabelDisplay& d = LabelDisplays[static_cast<std::size_t>(i)];
        if (rx != d.HookLabelX || ry != d.HookLabelY) {
            d.HookLabelX = rx;
            d.HookLabelY = ry;
            OZRSetClockLabelPositioning(static_cast<std::int16_t>(i), rx, ry);
            moved = true;
        }
    }
    if (moved) {
        OZRSetClockWidth(static_cast<std::int16_t>(RoundHalfEven(frmMain().Width / 15.0)));
        OZRSetClockHeight(static_cast<std::int16_t>(RoundHalfEven(frmMain().Height / 15.0)));
    }
}

}  // namespace core
