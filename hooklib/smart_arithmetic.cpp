#include "hooklib/smart_arithmetic.h"

namespace hooklib {
using platform::POINT;
using platform::SIZE;

int AnimationSteps(int timeMs) {
    int steps = timeMs / kAnimationTickMs;
    return steps > 0 ? steps : 1;
}

FadeStep FadeInStep(float current, float target, int fadeTimeMs) {
    float next = current + target / static_cast<float>(AnimationSteps(fadeTimeMs));
    if (next >= target) return FadeStep{target, true};
    return FadeStep{next, false};
}

FadeStep FadeOutStep(float current, float target, int fadeTimeMs) {
    float next = current - (255.0f - target) / static_cast<float>(AnimationSteps(fadeTimeMs));
    if (next <= target) return FadeStep{target, true};
    return FadeStep{next, false};
}

std::optional<POINT> PositionPoint(int position, SIZE window, SIZE screen) {
    const int W = window.cx, H = window.cy, SW = screen.cx, SH = screen.cy;
    // With a size of 0 the window's own half drops out.
    const int centre = W > 0 ? SW / 2 - W / 2 : SW / 2;
    const int middle = H > 0 ? SH / 2 - H / 2 : SH / 2;
    switch (position) {
        case 0: return POINT{0, 0};
        case 1: return POINT{centre, 0};
        case 2: return POINT{SW - W, 0};
        case 3: return POINT{SW - W, middle};
        case 4: return POINT{SW - W, SH - H};
        case 5: return POINT{centre, SH - H};
        case 6: return POINT{0, SH - H};
        case 7: return POINT{0, middle};
        case kPositionCentred: return POINT{centre, middle};
        default: return std::nullopt;
    }
}

std::optional<POINT> SlideStartPoint(int position, int direction, SIZE window, SIZE screen) {
    if (direction < kSlideHorizontal || direction > kSlideDiagonal) return std::nullopt;
    const int W = window.cx, H = window.cy, SW = screen.cx, SH = screen.cy;
    const int centre = W > 0 ? SW / 2 - W / 2 : SW / 2;
    const int middle = H > 0 ? SH / 2 - H / 2 : SH / 2;
    // One row per position: the start points of directions 10, 11 and 12.
    const POINT table[8][3] = {
        {{-W, 0}, {0, -H}, {-W, -H}},                          // 0 top left
        {{-W, 0}, {SW, 0}, {centre, -H}},                      // 1 top centre
        {{SW, 0}, {SW - W, -H}, {SW, -H}},                     // 2 top right
        {{SW - W, -H}, {SW - W, SH}, {SW, middle}},            // 3 right centre
        {{SW + 1, SH - H}, {SW - W, SH + 1}, {SW + 1, SH + 1}},  // 4 bottom right
        {{-W, SH - H}, {SW, SH - H}, {centre, SH}},            // 5 bottom centre
        {{-W, SH - H}, {0, SH}, {-W, SH}},                     // 6 bottom left
        {{0, -H}, {0, SH}, {-W, middle}},                      // 7 left centre
    };
    if (position < 0 || position > 7) return std::nullopt;
    return table[position][direction - kSlideHorizontal];
}

SlidePath::SlidePath(POINT from, POINT to, int timeMs) : from_(from), to_(to), steps_(AnimationSteps(timeMs)) {}

POINT SlidePath::Step() {
    if (step_ < steps_) ++step_;
    auto along = [this](int a, int b) {
        return a + static_cast<int>(static_cast<std::int64_t>(b - a) * step_ / steps_);
    };
    return POINT{along(from_.x, to_.x), along(from_.y, to_.y)};
}

}  // namespace hooklib
