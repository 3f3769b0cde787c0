// The rules of the label page that do not need its window: which labels a class lists, how a new
// label's name is cleaned, how records leave the list, how offsets, fonts and alignment prefixes
// are shown and changed, and what the quick-insert and predefined-script items yield.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/clock_label.h"

namespace settings {

// The label classes in the order of the class list: time and date labels, clock tooltip labels,
// clipboard copy format labels. A label belongs to the class its flags name.
inline constexpr int kTimeAndDateClass = 0;
inline constexpr int kTooltipClass = 1;
inline constexpr int kClipboardClass = 2;
bool BelongsToClass(std::int32_t labelFlags, int classPosition);

// A typed name without its brackets and without blanks around it ("" when nothing is left). A
// label's section is named after it, and the settings file reads "[" and "]" as a section's edge.
std::string CleanLabelName(const std::string& typed);
// Whether one of the first `count` labels has exactly this name: two labels of one name would share
// one section of the settings file.
bool LabelNameTaken(const std::vector<core::ClockLabel>& labels, int count, const std::string& name);
// The record of a new label: Arial 8, black on white, "hh:mm:ss", shown; its base offsets and
// flags stay those of the spare record it is made from.
core::ClockLabel NewLabelRecord(const core::ClockLabel& spare, const std::string& name, const std::string& key);

// Takes one record out of the list; the records after it move down and the spare stays last.
void RemoveLabelRecord(std::vector<core::ClockLabel>& labels, int index);
// The record indices a deletion removes, in the order it removes them, for the list's entries
// (their item data, in list order) and which of them are selected: each index is corrected by the
// records removed before it. Also the list position of the last entry removed (-1: none).
struct LabelDeletion {
    std::vector<int> recordIndices;
    int lastRemovedPosition = -1;
};
LabelDeletion PlanLabelDeletion(const std::vector<long>& itemData, const std::vector<bool>& selected);

// Offsets: the box shows (value - base) / 15 pixels as the shortest decimal text; a pixel count
// is stored as pixels * 15 + base twips, clamped to the 16-bit range.
inline constexpr long kOffsetLimit = 2000;  // pixels either way
std::string OffsetText(std::int16_t value, std::int16_t base);
std::int16_t OffsetTwips(long pixels, std::int16_t base);
// The box's text after its minus (-1) or plus (+1) button. A text that shows decimals steps to
// the neighbouring whole number; any other text is cleaned first, then stepped by 1 within the
// bounds.
std::string StepOffsetText(const std::string& text, int direction);

// Fonts: a chosen size to whole points (halves to the even neighbour), and the summary the page
// shows ("Arial, 10, B, I").
std::int16_t FontPoints(double size);
std::string FontSummary(const core::ClockLabel& label);

// Alignment: the prefix of a script ("ac" centred, "ar" right, compared exactly; anything else
// left) and the alignment the library reported in a label's flags.
enum class Alignment { Left, Centre, Right };
Alignment AlignmentOfScript(const std::string& script);
Alignment AlignmentOfFlags(std::int32_t labelFlags);
// The script without its alignment prefix.
std::string WithoutAlignment(const std::string& script);
// The script with the alignment's prefix; nothing when it already has it.
std::optional<std::string> Realigned(const std::string& script, Alignment alignment);

// What a quick-insert item appends: its text before the first blank, trimmed.
std::string QuickInsertToken(const std::string& item);
// The script of a predefined item "Caption (script)": what stands between its first "(" and its
// last character. An item with no script (empty, or "(" as its last character) yields nothing.
std::optional<std::string> PredefinedScript(const std::string& item);

}  // namespace settings
