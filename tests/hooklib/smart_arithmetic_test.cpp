// The animation arithmetic of smart windows as tables: steps per time, fade steps, the points
// of the eight positions and of the slides' starts, and slides that always arrive.
#include <gtest/gtest.h>

#include "hooklib/smart_arithmetic.h"

using namespace hooklib;
using platform::POINT;
using platform::SIZE;

namespace {

TEST(AnimationSteps, OneStepPer15MsAndNeverNone) {
    const int cases[][2] = {{15, 1}, {29, 1}, {30, 2}, {150, 10}, {1000, 66}, {14, 1}, {1, 1}, {0, 1}, {-1, 1},
                            {-500, 1}, {32767, 2184}};
    for (auto& c : cases) EXPECT_EQ(AnimationSteps(c[0]), c[1]) << c[0];
}

// Runs a whole fade; returns the number of steps and checks the end is exactly the target.
int FadeStepsUntilDone(bool in, float start, float target, int timeMs) {
    float value = start;
    for (int steps = 1; steps < 100000; ++steps) {
        FadeStep s = in ? FadeInStep(value, target, timeMs) : FadeOutStep(value, target, timeMs);
        value = s.value;
        if (s.done) {
            EXPECT_EQ(value, target);
            return steps;
        }
        EXPECT_TRUE(in ? value < target : value > target);
    }
    return -1;
}

TEST(Fade, StepCountsAndTheirFloatOffByOne) {
    struct Case {
        bool in;
        float start, target;
        int time;
        int steps;       // what time / 15 steps give
        int orOneMore;   // float sums may fall short by a hair and take one step more
    } cases[] = {
        {true, 0, 255, 150, 10, 10},   // 25.5 a step, exact
        {true, 0, 200, 300, 20, 20},   // 10 a step
        {true, 0, 255, 1000, 66, 67},  // 3.8636... a step: the sum of 66 may stay under 255
        {true, 0, 255, 10, 1, 1},      // under one tick: one step
        {true, 0, 255, -40, 1, 1},     // negative: one step, no division by zero
        {true, 0, 255, 0, 1, 1},
        {true, 100, 255, 150, 7, 7},   // the step is target / steps even from a start above 0
        {false, 255, 0, 150, 10, 10},
        {false, 255, 100, 300, 20, 20},  // (255 - 100) / 20 a step
        {false, 200, 0, 150, 8, 8},      // 25.5 a step from 200: passes 0 on the 8th, clamped
        {false, 255, 0, 1000, 66, 67},
        {false, 255, 0, -1, 1, 1},
    };
    for (const Case& c : cases) {
        int steps = FadeStepsUntilDone(c.in, c.start, c.target, c.time);
        EXPECT_GE(steps, c.steps) << c.in << " " << c.start << "->" << c.target << " in " << c.time;
        EXPECT_LE(steps, c.orOneMore) << c.in << " " << c.start << "->" << c.target << " in " << c.time;
    }
}

TEST(Fade, AValueAtOrPastTheTargetEndsAtOnce) {
    EXPECT_TRUE(FadeInStep(255, 200, 1000).done);
    EXPECT_EQ(FadeInStep(255, 200, 1000).value, 200);
    EXPECT_TRUE(FadeOutStep(0, 50, 1000).done);
    EXPECT_EQ(FadeOutStep(0, 50, 1000).value, 50);
    // A target of 0 fading in would never move: it is reached at once.
    EXPECT_TRUE(FadeInStep(0, 0, 1000).done);
}

TEST(Positions, EndPointsOfEveryCode) {
    const SIZE w{200, 100}, s{1280, 1024};
    const POINT expected[] = {{0, 0},      {540, 0},   {1080, 0}, {1080, 462}, {1080, 924},
                              {540, 924}, {0, 924},  {0, 462},  {540, 462}};
    for (int code = 0; code <= 8; ++code) {
        auto p = PositionPoint(code, w, s);
        ASSERT_TRUE(p) << code;
        EXPECT_EQ(*p, expected[code]) << code;
    }
    EXPECT_FALSE(PositionPoint(9, w, s));
    EXPECT_FALSE(PositionPoint(-1, w, s));
    // Without a size the centre is the screen's.
    EXPECT_EQ(*PositionPoint(8, SIZE{0, 0}, s), (POINT{640, 512}));
    EXPECT_EQ(*PositionPoint(1, SIZE{0, 0}, s), (POINT{640, 0}));
}

TEST(Positions, SlideStartsOfEveryPositionAndDirection) {
    const SIZE w{200, 100}, s{1280, 1024};
    const int W = 200, H = 100, SW = 1280, SH = 1024, centre = 540, middle = 462;
    const POINT expected[8][3] = {
        {{-W, 0}, {0, -H}, {-W, -H}},
        {{-W, 0}, {SW, 0}, {centre, -H}},
        {{SW, 0}, {SW - W, -H}, {SW, -H}},
        {{SW - W, -H}, {SW - W, SH}, {SW, middle}},
        {{SW + 1, SH - H}, {SW - W, SH + 1}, {SW + 1, SH + 1}},
        {{-W, SH - H}, {SW, SH - H}, {centre, SH}},
        {{-W, SH - H}, {0, SH}, {-W, SH}},
        {{0, -H}, {0, SH}, {-W, middle}},
    };
    for (int position = 0; position < 8; ++position)
        for (int direction = 10; direction <= 12; ++direction) {
            auto p = SlideStartPoint(position, direction, w, s);
            ASSERT_TRUE(p);
            EXPECT_EQ(*p, expected[position][direction - 10]) << position << " " << direction;
        }
    // Position 2, direction 12: from (SW, -H) to (SW - W, 0).
    EXPECT_EQ(*SlideStartPoint(2, 12, w, s), (POINT{1280, -100}));
    EXPECT_EQ(*PositionPoint(2, w, s), (POINT{1080, 0}));
    // What cannot be computed: a direction an alarm file may hold as 0, or an unknown position.
    for (int direction : {0, 9, 13, 255}) EXPECT_FALSE(SlideStartPoint(4, direction, w, s)) << direction;
    EXPECT_FALSE(SlideStartPoint(8, 10, w, s));
}

TEST(SlidePath, ArrivesExactlyInTimeOver15Steps) {
    struct Case {
        POINT from, to;
        int time, steps;
    } cases[] = {
        {{1280, -100}, {1080, 0}, 300, 20},
        {{0, 0}, {3, 1}, 3000, 200},   // a short way over a long time still arrives
        {{-200, 500}, {0, 500}, 10, 1},  // under 15 ms: one step
        {{5, 5}, {5, 5}, 150, 10},
        {{100, 100}, {-7, 1000}, 1000, 66},
    };
    for (const Case& c : cases) {
        SlidePath path(c.from, c.to, c.time);
        EXPECT_EQ(path.Steps(), c.steps);
        POINT p = c.from;
        int n = 0;
        int lastX = c.from.x;
        while (!path.Arrived()) {
            p = path.Step();
            ++n;
            // Never beyond the end on the way.
            if (c.to.x >= c.from.x) {
                EXPECT_LE(p.x, c.to.x);
            }
            EXPECT_GE((c.to.x - c.from.x) * (p.x - lastX), 0);
            lastX = p.x;
        }
        EXPECT_EQ(n, c.steps);
        EXPECT_EQ(p, c.to);
        EXPECT_EQ(path.Step(), c.to);  // stays clamped at the end
    }
}

}  // namespace
