// A smart window's fades and slides, one step per timer tick.
#include "hooklib/smart_window.h"
#include "hooklib/smart_window_manager.h"
#include "platform/window/screen.h"

namespace hooklib {
using namespace platform;

int SmartWindow::StartFade(bool in) {
    if (OsCode < kFirstOsWithLayering) return kSmartNoLayering;
    if (Visuals == 0) Visuals = 2;
    if (Visuals == 1) Visuals = 3;
    if (in) {
        StopTimer(kFadeOutTimer);
        FadeCurrent = FadeStartAlpha ? FadeStartAlpha : (Shown ? AppliedAlpha : 0.0f);
        FadeTarget = Alpha;
        StartTimer(kFadeInTimer);
        ApplyLayering(ColorKey, static_cast<std::uint8_t>(FadeCurrent), Visuals);
        if (Kind == kTooltipKind)
            SetWindowPos(Handle, HWND_TOPMOST, 0, 0, 0, 0, 83);
        else
            ShowWindow(Handle, SW_SHOW);
        Shown = true;
    } else {
        StopTimer(kFadeInTimer);
        FadeCurrent = FadeStartAlpha ? FadeStartAlpha : AppliedAlpha;
        FadeTarget = Alpha;
        if (Closing) FadeTarget = 0;
        StartTimer(kFadeOutTimer);
        ApplyLayering(ColorKey, static_cast<std::uint8_t>(FadeCurrent), Visuals);
    }
    return kSmartOk;
}

void SmartWindow::FadeTick(bool in) {
    FadeStep step = in ? FadeInStep(FadeCurrent, FadeTarget, FadeInTime)
                       : FadeOutStep(FadeCurrent, FadeTarget, FadeOutTime);
    FadeCurrent = step.value;
    AppliedAlpha = step.value;
    SetLayeredWindowAttributes(Handle, ColorKey, static_cast<std::uint8_t>(step.value), Visuals);
    if (!step.done) return;
    StopTimer(in ? kFadeInTimer : kFadeOutTimer);
    if (in) return;
    if (FadeTarget == 0) ShowWindow(Handle, SW_HIDE);
    if (Closing) Manager->WindowDestroyed(this);
}

void SmartWindow::StartSlide(int first, int second, std::uint8_t startAlpha, std::uint8_t stopAlpha, int time,
                             int alphaTime) {
    if (Queued.pending) return;
    if (Sliding()) {
        Queued = QueuedSlide{time, alphaTime, first, second, startAlpha, stopAlpha, true};
        return;
    }
    // A slide-out names the position first and the direction second.
    bool out = second > 9;
    int direction = out ? second : first;
    int position = out ? first : second;
    RECT r;
    GetWindowRect(Handle, &r);
    const RECT work = WorkArea();
    const SIZE size{r.width(), r.height()}, area{work.width(), work.height()};
    const auto onWorkArea = [&](std::optional<POINT> p) {
        return p ? std::optional<POINT>(POINT{work.left + p->x, work.top + p->y}) : std::nullopt;
    };
    auto end = onWorkArea(PositionPoint(position, size, area));
    auto start = end ? onWorkArea(SlideStartPoint(position, direction, size, area)) : std::nullopt;
    if (!start) {
        // No way can be computed. A window going out goes at once (and the program is told);
        // one coming in simply shows at its place.
        if (out) {
            WindowFlags &= ~kSlideManaged;
            Manager->SlideFinished(this, 2);
            if (!Destroying) Manager->WindowDestroyed(this);
            return;
        }
        if (end) SetWindowPos(Handle, HWND{}, end->x, end->y, 0, 0, 529);
        ShowSmartWindow(true);
        Manager->SlideFinished(this, 1);
        return;
    }
    SlideStart = out ? *end : *start;
    SlideEnd = out ? *start : *end;
    SlideTime = time < kAnimationTickMs ? kAnimationTickMs : time;
    SlideAlphaTime = alphaTime;
    Path = SlidePath(SlideStart, SlideEnd, SlideTime);
    X = SlideStart.x;
    Y = SlideStart.y;
    SetWindowPos(Handle, HWND{}, X, Y, 0, 0, 529);
    if (alphaTime != -1) {
        FadeStartAlpha = startAlpha;  // 0 on the way out: from the opacity it has
        Alpha = stopAlpha;
        FadeInTime = FadeOutTime = alphaTime;
        StartFade(!out);
    } else if (FadeEnabled) {
        if (out) Closing = false;
        StartFade(!out);
    }
    StartTimer(out ? kSlideOutTimer : kSlideInTimer);
}

bool SmartWindow::TouchesScreen() const {
    SIZE screen = ScreenSize();
    return X < screen.cx && Y < screen.cy && X + Width > 0 && Y + Height > 0;
}

void SmartWindow::SlideTick(bool in) {
    if (!Shown) {
        ShowWindow(Handle, SW_SHOW);
        Shown = true;
    }
    POINT p = Path.Step();
    X = p.x;
    Y = p.y;
    SetWindowPos(Handle, HWND{}, X, Y, 0, 0, 529);
    RECT r;
    GetWindowRect(Handle, &r);
    Width = r.width();
    Height = r.height();
    if (!TouchesScreen()) InvalidateRect(Handle, nullptr, 1);
    if (!Path.Arrived()) return;
    StopTimer(in ? kSlideInTimer : kSlideOutTimer);
    if (Queued.pending) {
        QueuedSlide next = Queued;
        Queued.pending = false;
        StartSlide(next.direction, next.position, next.startAlpha, next.stopAlpha, next.time, next.alphaTime);
        return;
    }
    Manager->SlideFinished(this, in ? 1 : 2);
}

}  // namespace hooklib
