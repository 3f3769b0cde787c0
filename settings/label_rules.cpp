#include "settings/label_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/floating_layout.h"
#include "core/rounding.h"
#include "settings/number_box.h"

namespace settings {
namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// A text that reads whole as a number with a decimal point ("-2.5", "0.666666666666667").
std::optional<double> DecimalNumber(const std::string& text) {
    if (text.find('.') == std::string::npos) return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    const double value = std::strtod(begin, &end);
    if (end == begin || *end != '\0' || !std::isfinite(value)) return std::nullopt;
    return value;
}

}  // namespace

bool BelongsToClass(std::int32_t labelFlags, int classPosition) {
    switch (classPosition) {
        case kTimeAndDateClass: return core::PaintedOnClock(static_cast<std::uint32_t>(labelFlags));
        case kTooltipClass: return (labelFlags & core::kLabelTooltipOnly) != 0;
        case kClipboardClass: return (labelFlags & core::kLabelListedApart) != 0;
        default: return false;
    }
}

std::string CleanLabelName(const std::string& typed) {
    std::string name;
    for (char c : typed)
        if (c != '[' && c != ']') name += c;
    return Trimmed(name);
}

bool LabelNameTaken(const std::vector<core::ClockLabel>& labels, int count, const std::string& name) {
    const auto end = labels.begin() + std::clamp<std::ptrdiff_t>(count, 0, static_cast<std::ptrdiff_t>(labels.size()));
    return std::any_of(labels.begin(), end, [&](const core::ClockLabel& l) { return l.LabelName == name; });
}

core::ClockLabel NewLabelRecord(const core::ClockLabel& spare, const std::string& name, const std::string& key) {
    core::ClockLabel label = spare;
    label.LabelName = name;
    label.LabelKey = key;
    label.X = 0;
    label.Y = 0;
    label.Face = "Arial";
    label.Size = 8;
    label.Bold = 400;
    label.Italic = label.Underline = label.StrikeOut = false;
    label.Back = 0xFFFFFF;
    label.Fore = 0x000000;
    label.SpawnString = "hh:mm:ss";
    label.Visible = true;
    return label;
}

void RemoveLabelRecord(std::vector<core::ClockLabel>& labels, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= labels.size()) return;
    labels.erase(labels.begin() + index);
    if (labels.empty()) {  // never without its spare
        labels.emplace_back();
        labels.back().Size = -1;
    }
}

LabelDeletion PlanLabelDeletion(const std::vector<long>& itemData, const std::vector<bool>& selected) {
    LabelDeletion plan;
    int removed = 0;
    // Positions as the list has them while entries are taken out: a removed entry's successor
    // moves up into its place.
    int position = 0;
    for (std::size_t item = 0; item < itemData.size(); ++item) {
        if (item < selected.size() && selected[item]) {
            plan.recordIndices.push_back(static_cast<int>(itemData[item]) - removed);
            plan.lastRemovedPosition = position;
            ++removed;
        } else {
            ++position;
        }
    }
    return plan;
}

std::string OffsetText(std::int16_t value, std::int16_t base) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", (static_cast<double>(value) - base) / 15.0);
    return buffer;
}

std::int16_t OffsetTwips(long pixels, std::int16_t base) {
    const long twips = pixels * 15 + base;
    return static_cast<std::int16_t>(std::clamp<long>(twips, std::numeric_limits<std::int16_t>::min(),
                                                      std::numeric_limits<std::int16_t>::max()));
}

std::string StepOffsetText(const std::string& text, int direction) {
    if (const std::optional<double> value = DecimalNumber(Trimmed(text)); value && *value != std::trunc(*value)) {
        const double next = direction > 0 ? std::ceil(*value) : std::floor(*value);
        return std::to_string(static_cast<long>(std::clamp<double>(next, -kOffsetLimit, kOffsetLimit)));
    }
    return StepNumberBoxText(text, NumberBoxRule{-kOffsetLimit, kOffsetLimit, 1, 0, 0}, direction, ".");
}

std::int16_t FontPoints(double size) {
    return static_cast<std::int16_t>(std::clamp(core::RoundHalfEven(size), 1.0, 32767.0));
}

std::string FontSummary(const core::ClockLabel& label) {
    std::string summary = label.Face + ", " + std::to_string(label.Size);
    if (label.Bold >= 401) summary += ", B";
    if (label.Italic) summary += ", I";
    if (label.Underline) summary += ", U";
    if (label.StrikeOut) summary += ", S";
    return summary;
}

Alignment AlignmentOfScript(const std::string& script) {
    if (StartsWith(script, "ac")) return Alignment::Centre;
    if (StartsWith(script, "ar")) return Alignment::Right;
    return Alignment::Left;
}

Alignment AlignmentOfFlags(std::int32_t labelFlags) {
    if (labelFlags & core::kLabelAlignCentre) return Alignment::Centre;
    if (labelFlags & core::kLabelAlignRight) return Alignment::Right;
    return Alignment::Left;
}

std::string WithoutAlignment(const std::string& script) {
    return AlignmentOfScript(script) == Alignment::Left ? script : script.substr(2);
}

std::optional<std::string> Realigned(const std::string& script, Alignment alignment) {
    if (AlignmentOfScript(script) == alignment) return std::nullopt;
    constexpr const char* kPrefixes[] = {"", "ac", "ar"};
    return kPrefixes[static_cast<int>(alignment)] + WithoutAlignment(script);
}

std::string QuickInsertToken(const std::string& item) {
    const std::string text = Trimmed(item);
    return text.substr(0, text.find(' '));
}

std::optional<std::string> PredefinedScript(const std::string& item) {
    const std::string text = Trimmed(item);
    const std::size_t open = text.find('(');
    const std::size_t from = open == std::string::npos ? 0 : open + 1;  // the first character after "("
    if (text.empty() || from >= text.size()) return std::nullopt;
    return text.substr(from, text.size() - 1 - from);
}

}  // namespace settings
