#include "hooklib/clock_transparency.h"

#include <algorithm>
#include <vector>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/paint_tools.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"

namespace hooklib {
namespace {

using platform::HDC;
using platform::RECT;

// What differs between a taskbar on a vertical edge (the gradient runs across its width, so a
// row is sampled) and one on a horizontal edge (a column is sampled).
struct StripLayout {
    std::uint32_t SharedHookState::*strip;
    std::uint32_t SharedHookState::*frozen;
    const char* freezeMessage;
    RECT (*stripIn)(const RECT& trayWindow);  // in the notification area's window DC
    RECT (*probeBeside)(const RECT& clock);   // in the clock's DC, just outside its client area
    int (*lineCount)(const RECT& clock);      // rows or columns of the clock
    RECT (*line)(const RECT& clock, int i);   // row or column i of the clock
};

constexpr StripLayout kVerticalTaskbar{
    &SharedHookState::RowStrip,
    &SharedHookState::VerticalFrozenBackground,
    "{PaintClock}: Froze HORIZONTAL background.",
    [](const RECT& t) { return RECT{0, t.height() - 1, t.width(), t.height()}; },
    [](const RECT& c) { return RECT{0, c.bottom, c.right, c.bottom + 1}; },
    [](const RECT& c) { return static_cast<int>(c.height()); },
    [](const RECT& c, int i) { return RECT{0, i, c.right, i + 1}; },
};

constexpr StripLayout kHorizontalTaskbar{
    &SharedHookState::ColumnStrip,
    &SharedHookState::HorizontalFrozenBackground,
    "{PaintClock}: Froze VERTICAL background.",
    [](const RECT& t) { return RECT{t.width() - 1, 0, t.width(), t.height()}; },
    [](const RECT& c) { return RECT{c.right, 0, c.right + 1, c.bottom}; },
    [](const RECT& c) { return static_cast<int>(c.width()); },
    [](const RECT& c, int i) { return RECT{i, 0, i + 1, c.bottom}; },
};

bool VerticalTaskbar() { return Share().TaskbarPosition == kEdgeLeft || Share().TaskbarPosition == kEdgeRight; }

const StripLayout& CurrentLayout() { return VerticalTaskbar() ? kVerticalTaskbar : kHorizontalTaskbar; }

RECT FromShared(const SharedRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

void DeleteBitmapSlot(std::uint32_t& slot) {
    if (slot) platform::DeleteObject(platform::HBITMAP{slot});
    slot = 0;
}

void RestartCapture() {
    SharedHookState& s = Share();
    s.PaintCountdown = s.PaintThreshold;
    s.BackgroundFrozen = 0;
    s.ColourCount = 0;
}

// Every line of the clock gets the strip from its start.
void TileStrip(HDC memory, platform::HBITMAP strip, const StripLayout& layout, const RECT& clock) {
    if (!strip) return;
    BitmapDc from(memory, strip);
    for (int i = 0, n = layout.lineCount(clock); i < n; ++i) {
        const RECT line = layout.line(clock, i);
        platform::BitBlt(memory, line.left, line.top, line.width(), line.height(), from.dc(), 0, 0, platform::SRCCOPY);
    }
}

void DecideOnFreezing(HDC memory, const StripLayout& layout, const RECT& clock) {
    SharedHookState& s = Share();
    DeleteBitmapSlot(s.*layout.frozen);
    if (s.ColourCount < kGradientColours) {
        s.Transparent = 0;
        s.EasyTransparency = 1;
        LogDebug("{PaintClock}: Full Transparency mode switched off! No TaskBar gradient detected!");
        return;
    }
    s.*layout.frozen = CaptureRect(memory, clock).id();
    s.BackgroundFrozen = 1;
    LogDebug(layout.freezeMessage);
}

}  // namespace

int ProbeTaskBarGradient(HDC clockDc, bool verticalTaskbar, const RECT& clock) {
    const StripLayout& layout = verticalTaskbar ? kVerticalTaskbar : kHorizontalTaskbar;
    const RECT probe = layout.probeBeside(clock);
    const platform::HBITMAP line = CaptureRect(clockDc, probe);
    if (!line) return 0;
    std::vector<platform::COLORREF> seen;
    {
        BitmapDc pixels(clockDc, line);
        const int length = verticalTaskbar ? probe.width() : probe.height();
        for (int i = 0; i < length && static_cast<int>(seen.size()) < kMaxProbedColours; ++i) {
            const platform::COLORREF c =
                platform::GetPixel(pixels.dc(), verticalTaskbar ? i : 0, verticalTaskbar ? 0 : i);
            if (std::find(seen.begin(), seen.end(), c) == seen.end()) seen.push_back(c);
        }
    }
    platform::DeleteObject(line);
    return static_cast<int>(seen.size());
}

platform::HBITMAP SettledTransparentBackground(const RECT& clock) {
    const SharedHookState& s = Share();
    const StripLayout& layout = CurrentLayout();
    // Exactly when PaintTransparentBackground restarts nothing, takes no strip and only blits.
    const bool settled = clock == FromShared(s.PreviousClockRect) && s.BackgroundFrozen && s.*layout.frozen &&
                         s.PaintCountdown < 1 && s.ColourCount != 0 && s.*layout.strip;
    return settled ? platform::HBITMAP{s.*layout.frozen} : platform::HBITMAP{};
}

void PaintTransparentBackground(HDC memory, HDC clockDc, HDC trayDc, const RECT& trayWindow, const RECT& clock) {
    SharedHookState& s = Share();
    const StripLayout& layout = CurrentLayout();
    if (clock != FromShared(s.PreviousClockRect)) {
        LogDebug("{PaintClock}: Ruriv rectangle changed. Recapturing background for transparent mode.");
        RestartCapture();
    } else if (s.BackgroundFrozen && !(s.*layout.frozen)) {
        // The taskbar went to an edge of the other orientation and the clock kept its size.
        RestartCapture();
    }
    // The strips are taken again while counting down, and on the first paint after a restart
    // (nothing probed yet), so that the decision never rests on a strip from before it.
    if (s.PaintCountdown >= 1 || s.ColourCount == 0) {
        DeleteBitmapSlot(s.RowStrip);
        DeleteBitmapSlot(s.ColumnStrip);
    }
    if (s.PaintCountdown >= 1) --s.PaintCountdown;
    std::uint32_t& strip = s.*layout.strip;
    if (!strip) {
        strip = CaptureRect(trayDc, layout.stripIn(trayWindow)).id();
        const int colours = ProbeTaskBarGradient(clockDc, VerticalTaskbar(), clock);
        s.ColourCount = static_cast<std::uint8_t>(std::max<int>(s.ColourCount, colours));
    }
    if (s.BackgroundFrozen) {
        BlitBitmap(platform::HBITMAP{s.*layout.frozen}, memory, clock, platform::POINT{0, 0});
        return;
    }
    TileStrip(memory, platform::HBITMAP{strip}, layout, clock);
    // A threshold below 0 decides at once, as 0 does.
    if (s.PaintCountdown <= 0) DecideOnFreezing(memory, layout, clock);
}

}  // namespace hooklib

using namespace hooklib;

void OZRSetClockTransparent(std::uint8_t on) {
    SharedHookState& s = Share();
    s.Transparent = on;
    s.PaintCountdown = s.PaintThreshold;
    s.EasyTransparency = 0;
    s.LabelsShareBackground = 0;
    s.BackgroundFrozen = 0;
    s.ColourCount = 0;
    if (s.TrayClockWindow) platform::SendMessage(platform::HWND{s.TrayClockWindow}, platform::WM_PAINT, 0, 0);
}
