#include "hooklib/clock_paint.h"

#include "hooklib/clock_image.h"
#include "hooklib/clock_transparency.h"
#include "hooklib/label_painting.h"
#include "hooklib/paint_tools.h"
#include "hooklib/program_bridge.h"
#include "hooklib/shared_state.h"
#include "platform/draw/system_colors.h"

namespace hooklib {
namespace {

using platform::HDC;
using platform::HWND;
using platform::RECT;

constexpr std::uint8_t kFirstOsWithGradients = 6;

SharedRect ToShared(const RECT& r) { return SharedRect{r.left, r.top, r.right, r.bottom}; }

RECT WindowRect(std::uint32_t slot) {
    RECT r;
    platform::GetWindowRect(HWND{slot}, &r);
    return r;
}

void CopyMainWindow(HDC hdc) {
    SharedHookState& s = Share();
    const HWND main{s.MainWindowFound};
    const RECT clock = WindowRect(s.TrayClockWindow);
    s.MainWindowRect = ToShared(WindowRect(s.MainWindowFound));
    const HDC mainDc = platform::GetWindowDC(main);
    if (!mainDc) return;
    platform::BitBlt(hdc, 0, 0, clock.width(), clock.height(), mainDc, 0, 0, platform::SRCCOPY);
    platform::ReleaseDC(main, mainDc);
}

void FallBackToEasyTransparencyOnOldSystems() {
    SharedHookState& s = Share();
    if (!s.Transparent || s.OSCode >= kFirstOsWithGradients) return;
    s.Transparent = 0;
    s.EasyTransparency = 1;
    LogDebug("{PaintClock}: Old OS -> Easy Transparency Mode Activated!");
}

platform::COLORREF OpaqueBackground() {
    const SharedHookState& s = Share();
    return s.EasyTransparency ? platform::GetSysColor(platform::COLOR_BTNFACE)
                              : static_cast<platform::COLORREF>(s.ClockBackground);
}

// The background of this paint, decided before anything is drawn.
ClockBackground BackgroundNow(const RECT& clock) {
    using Kind = ClockBackground::Kind;
    if (!Share().Transparent) return ClockBackground{Kind::Colour, OpaqueBackground()};
    if (clock.empty()) return ClockBackground{Kind::Capturing, 0};
    const platform::HBITMAP frozen = SettledTransparentBackground(clock);
    return frozen ? ClockBackground{Kind::Frozen, frozen.id()} : ClockBackground{Kind::Capturing, 0};
}

void FillWithColour(HDC memory, const RECT& clock, platform::COLORREF colour) {
    DrawFilledRect(memory, clock, colour, colour, platform::PS_SOLID, 1);
}

// Draws the background over the whole image. A background being captured starts from the black
// of a new bitmap, takes the notification area's strip and may decide on freezing; when that
// decision finds no gradient, the button face fills this very paint.
void DrawBackground(HDC memory, HDC clockDc, const ClockBackground& background, const RECT& clock) {
    switch (background.kind) {
        case ClockBackground::Kind::Colour: FillWithColour(memory, clock, background.value); return;
        case ClockBackground::Kind::Frozen:
            BlitBitmap(platform::HBITMAP{background.value}, memory, clock, platform::POINT{0, 0});
            return;
        case ClockBackground::Kind::Capturing: {
            // An empty clock (before the program has sized it) has nothing to capture or decide on.
            if (clock.empty()) return;
            platform::FillRect(memory, &clock, platform::HBRUSH{platform::GetStockObject(platform::BLACK_BRUSH)});
            const SharedHookState& s = Share();
            const HWND tray{s.TrayNotifyWindow};
            const HDC trayDc = platform::GetWindowDC(tray);
            PaintTransparentBackground(memory, clockDc, trayDc, WindowRect(s.TrayNotifyWindow), clock);
            platform::ReleaseDC(tray, trayDc);
            if (!s.Transparent) FillWithColour(memory, clock, OpaqueBackground());
            return;
        }
    }
}

RECT ClockClientRect() {
    RECT clock;
    platform::GetClientRect(HWND{Share().TrayClockWindow}, &clock);
    return clock;
}

bool SameRect(const RECT& r, const SharedRect& shared) {
    return r.left == shared.Left && r.top == shared.Top && r.right == shared.Right && r.bottom == shared.Bottom;
}

// The kept image of the clock's size, with the background and text mode of this paint planned.
ClockImage* ImageWithBackgroundPlanned(const RECT& clock) {
    ClockImage* image = KeptClockImage(platform::HDC{}, platform::SIZE{clock.width(), clock.height()});
    if (!image) return nullptr;
    const SharedHookState& s = Share();
    image->planned.background = BackgroundNow(clock);
    image->planned.backgroundMode =
        s.Transparent || s.EasyTransparency || s.LabelsShareBackground ? platform::TRANSPARENT : platform::OPAQUE;
    return image;
}

// The labels of this moment. A label prepared now has a new font: the image cannot be what it was.
void PlanLabels(ClockImage& image) {
    if (DescribeLabels(image.dc, image.planned.labels, LabelMomentNow(), image.textsMoment)) image.drawn = ClockDrawing{};
}

ClockShown ShownNow(const ClockImage& image) {
    return ClockShown{platform::SurfaceGeneration(image.dc), platform::GetClientPixelsStamp(HWND{Share().TrayClockWindow})};
}

// The clock is drawn off screen and copied in one operation, so it does not flicker. The image
// is kept, and drawn again only when what it shows changes: most refreshes only copy it.
void DrawRurivClock(HDC hdc) {
    SharedHookState& s = Share();
    const RECT clock = ClockClientRect();
    s.ClockRect = ToShared(clock);
    FallBackToEasyTransparencyOnOldSystems();
    ClockImage* image = ImageWithBackgroundPlanned(clock);
    if (!image) return;
    const HDC memory = image->dc;
    const ClockDrawing& now = image->planned;
    const bool capturing = now.background.kind == ClockBackground::Kind::Capturing;
    // A background being captured is drawn before the labels are prepared, as it always was.
    if (capturing) DrawBackground(memory, hdc, now.background, clock);
    PlanLabels(*image);
    if (!SamePixels(now, image->drawn)) {
        if (!capturing) DrawBackground(memory, hdc, now.background, clock);
        platform::SetBkMode(memory, now.backgroundMode);
        DrawLabels(memory, now.labels);
        image->drawn = now;
    }

    if (!clock.empty())
        platform::BitBlt(hdc, clock.left, clock.top, clock.width(), clock.height(), memory, clock.left, clock.top,
                         platform::SRCCOPY);
    image->shown = ShownNow(*image);
    s.PreviousClockRect = s.ClockRect;
}

}  // namespace

void PaintClock(HDC hdc, std::int16_t style) {
    if (Share().UnhookPending) return;
    switch (style) {
        case 1: CopyMainWindow(hdc); return;
        case 2: DrawRurivClock(hdc); return;
        case 3: return;
        default: LogDebug("{PaintClock}: ERROR! Unknown/invalid parameter specified!"); return;
    }
}

bool ClockPaintChangesNothing() {
    const SharedHookState& s = Share();
    if (s.UnhookPending || s.ClockStyle != 2 || (s.Transparent && s.OSCode < kFirstOsWithGradients)) return false;
    // The window's stamp carries the clock's client size: no second look at the window.
    const platform::ClientPixelsStamp window = platform::GetClientPixelsStamp(HWND{s.TrayClockWindow});
    const RECT clock{0, 0, window.size.cx, window.size.cy};
    if (window.generation == 0 || clock.empty() || !SameRect(clock, s.PreviousClockRect)) return false;
    ClockImage* image = ImageWithBackgroundPlanned(clock);
    if (!image || image->planned.background.kind == ClockBackground::Kind::Capturing) return false;
    PlanLabels(*image);
    return SamePixels(image->planned, image->drawn) &&
           image->shown == ClockShown{platform::SurfaceGeneration(image->dc), window};
}

}  // namespace hooklib
