// The arithmetic of the smart windows' animations, free of windows: fade steps, slide points and
// slide steps, and the points of the eight screen positions. Every animation step is computed
// for the platform's tick of 15 ms.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/base.h"

namespace hooklib {

inline constexpr int kAnimationTickMs = 15;

// The number of ticks an animation of that many milliseconds is cut into: at least one (a time
// under one tick, or a negative one, takes one step).
int AnimationSteps(int timeMs);

// One fade step. Fading in adds target / steps, fading out takes away (255 - target) / steps;
// the result never passes the target. done is set when the target is reached.
struct FadeStep {
    float value = 0;
    bool done = false;
};
FadeStep FadeInStep(float current, float target, int fadeTimeMs);
FadeStep FadeOutStep(float current, float target, int fadeTimeMs);

// The screen positions (codes 0-7, and 8 centred for PlaceWindow) and the slide directions.
inline constexpr int kPositionCentred = 8;
inline constexpr int kSlideHorizontal = 10, kSlideVertical = 11, kSlideDiagonal = 12;

// The point a window of that size takes at the position code on a screen of that size; none for
// an unknown code.
std::optional<platform::POINT> PositionPoint(int position, platform::SIZE window, platform::SIZE screen);
// The point outside (or at the edge of) the screen a slide into that position starts from; none
// for an unknown position or direction.
std::optional<platform::POINT> SlideStartPoint(int position, int direction, platform::SIZE window,
                                               platform::SIZE screen);

// A slide from one point to another in whole ticks. The position of each step is kept as the
// fraction step / steps of the way, so a short way over a long time still arrives, and the last
// step lands on the end point exactly.
class SlidePath {
public:
    SlidePath() = default;
    SlidePath(platform::POINT from, platform::POINT to, int timeMs);
    // Advances one tick; returns the new point.
    platform::POINT Step();
    bool Arrived() const { return step_ >= steps_; }
    int Steps() const { return steps_; }
    platform::POINT From() const { return from_; }
    platform::POINT To() const { return to_; }

private:
    platform::POINT from_{}, to_{};
    int steps_ = 1;
    int step_ = 0;
};

}  // namespace hooklib
