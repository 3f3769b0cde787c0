// A scroll bar's value range, geometry, look and mouse tracking, shared by HScrollBar and the
// vertical bars that list boxes and multi-line text boxes draw inside themselves.
#pragma once

#include <functional>

#include "platform/base.h"
#include "platform/window/window.h"

namespace platform::forms {

class Painter;

enum class ScrollPart { None, Decrease, Increase, PageDecrease, PageIncrease, Thumb };

struct ScrollModel {
    int min = 0;
    int max = 32767;
    int value = 0;
    int smallChange = 1;
    int largeChange = 1;
    bool vertical = false;

    // Min may lie above Max (the bar then counts down); values stay between the two.
    int Clamp(int v) const;
    RECT DecreaseRect(const RECT& bar) const;
    RECT IncreaseRect(const RECT& bar) const;
    RECT TrackRect(const RECT& bar) const;
    RECT ThumbRect(const RECT& bar) const;
    ScrollPart HitTest(const RECT& bar, POINT p) const;
    // The value for a click on a part (the thumb keeps the value).
    int ValueAfter(ScrollPart part) const;
    // The value whose thumb starts at `along` pixels into the track.
    int ValueForThumbAt(const RECT& bar, int along) const;
    void Paint(Painter& painter, const RECT& bar, bool enabled) const;
};

// Press, drag and auto-repeat on a scroll bar drawn in a control's own window. The control passes its
// mouse messages and the repeat timer; every new value goes to setValue.
class ScrollTracker {
public:
    static constexpr UINT_PTR kRepeatTimer = 0xF0E1;

    // True when the press was on the bar (the tracker then owns the mouse until the release).
    bool Press(HWND hwnd, const ScrollModel& model, const RECT& bar, POINT p, const std::function<void(int)>& setValue);
    void Move(const ScrollModel& model, const RECT& bar, POINT p, const std::function<void(int)>& setValue);
    void Release(HWND hwnd);
    void Repeat(HWND hwnd, const ScrollModel& model, const RECT& bar, const std::function<void(int)>& setValue);
    bool Active() const { return part_ != ScrollPart::None; }

private:
    ScrollPart part_ = ScrollPart::None;
    int grab_ = 0;  // the pointer's offset into the thumb
    POINT last_{};
};

}  // namespace platform::forms
