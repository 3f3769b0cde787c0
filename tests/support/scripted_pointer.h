// A pointer the test moves and presses by hand: the position and the held buttons are what the
// test set last, and every question is counted.
#pragma once

#include <set>

#include "platform/services/pointer.h"

namespace testsupport {

class ScriptedPointer final : public platform::Pointer {
public:
    platform::POINT Position() override {
        ++questions;
        return position;
    }
    bool ButtonDown(int vk) override {
        ++questions;
        return held.count(vk) != 0;
    }
    bool HoldClicks(bool on) override {
        clicksHeld = on;
        released.clear();
        return true;
    }
    bool ReleasedSinceAsked(int vk) override {
        ++questions;
        return released.erase(vk) != 0;
    }
    void Press(int vk) { held.insert(vk); }
    void Release(int vk) {
        held.erase(vk);
        if (clicksHeld) released.insert(vk);
    }

    platform::POINT position{0, 0};
    std::set<int> held;
    bool clicksHeld = false;
    std::set<int> released;  // while the clicks are held, not asked for yet
    int questions = 0;
};

ScriptedPointer& UseScriptedPointer();

}  // namespace testsupport
