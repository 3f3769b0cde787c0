// An alarm's special behaviours as the behaviours step writes and shows them, apart from any window.
//
// "Instruction" holds one entry per behaviour, keyed by its entry number, in the order the
// behaviours were added: "|3: 0, 1, 0, 0, 1, 0, 0 " (kind, text switch, check boxes 1 to 4,
// option). "Extra" holds the text of each behaviour whose text switch is 1, under the same number.
// A number never changes once given; removing a behaviour leaves a gap.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/alarm_behavior.h"

namespace alarmwizard {

// The kinds the library acts on, by their place in the kinds list.
enum BehaviorKindIndex : std::int16_t { kOpenFileKind = 0, kCloseWindowsKind = 1, kShutDownKind = 2 };

// What the parameter controls hold when a behaviour is written.
struct BehaviorFields {
    std::int16_t kind = -1;  // place in the kinds list; -1 when the list is empty
    bool hasText = false;    // the kind's text box is in use
    std::array<bool, 4> checks{};
    std::uint8_t option = 0;  // 1 first option, 2 second, 0 none
};

// The entry's value: the seven fields joined by ", ".
std::string BehaviorValue(const BehaviorFields& fields);

// The numbers of the behaviours in `instruction`, in the order of their entries. Only keys written
// as a behaviour's number is written (decimal, no sign, no leading zeros) count; a number written
// twice counts once.
std::vector<std::int32_t> BehaviorNumbers(const std::string& instruction);

// The number a new behaviour gets: one more than the number of the last entry (0 for an empty
// string). When that is no free number (the last key is not a number, is the largest number there
// is, or one more is taken already), the lowest number that is free.
std::int32_t NextBehaviorNumber(const std::string& instruction);

// The list line of a behaviour: the kind's name from `kindNames`, ": " and what tells it apart.
// Opening a file shows the file's name without its folders, closing windows and kind 3 their text,
// shutting down "Standard" or "Force" with ", Log off" and ", Restart" as set. A kind that the
// kinds list does not hold, or that no line is made for, gives an empty line.
std::string DescribeBehavior(const core::SpecialBehavior& behavior, const std::vector<std::string>& kindNames);

// A text is stored verbatim between separators that are never escaped, so it cannot hold one.
bool StorableBehaviorText(const std::string& text);

// What checking a box does to the other boxes of its kind: the boxes it clears (bit i for box
// i + 1), and whether it disables the others while it stays checked.
struct CheckBoxRule {
    std::int16_t kind;
    int box;  // 1 to 4
    std::uint8_t clears;
    bool disablesOthers;
};
// The rule of a box of a kind; a rule that does nothing for kinds and boxes without one.
CheckBoxRule CheckBoxRuleOf(std::int16_t kind, int box);

}  // namespace alarmwizard
