// Special behaviours of an alarm: open a file or address, close windows by title, or end the
// session, restart or switch off the computer. Each runs at once, in the calling context.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/base.h"

namespace hooklib {

enum BehaviorKind : std::int32_t { kOpenDocument = 0, kCloseWindows = 1, kPower = 2 };

struct QueuedBehavior {
    std::int32_t SequenceNumber = 0;  // the queue's count when it was added
    std::int32_t Kind = 0;
    std::string Text;           // the document or address, or the title to look for
    std::uint8_t Switch1 = 0;   // open: without activating; close: exact title; power: log off
    std::uint8_t Switch2 = 0;   // open: hidden; close: case-sensitive; power: restart
    std::uint8_t Switch3 = 0;   // open: minimised
    std::uint8_t Switch4 = 0;   // open: maximised
    std::uint8_t Option = 0;    // power: 2 = do not ask the applications
};

// The show mode an open behaviour asks for (SW_ values).
int OpenShowMode(const QueuedBehavior& b);
// The ExitWindowsEx flags of a power behaviour.
platform::UINT PowerFlags(const QueuedBehavior& b);
// Whether a window title matches a close behaviour's text (exact or contained; letters A-Z
// folded unless case-sensitive). An empty text matches nothing.
bool TitleMatches(std::string_view title, std::string_view text, bool exact, bool caseSensitive);

// Runs the behaviour; unknown kinds do nothing.
void RunSpecialBehavior(QueuedBehavior& behavior);

// Appends the behaviour to the context's queue, runs it, takes it out again; returns the number
// of records left in the queue.
std::int32_t TriggerSpecialBehavior(QueuedBehavior behavior);

}  // namespace hooklib
