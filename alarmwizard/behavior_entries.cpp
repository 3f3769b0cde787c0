#include "alarmwizard/behavior_entries.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>
#include <set>

#include "core/property_strings.h"

namespace alarmwizard {

namespace {

const char* Flag(bool on) { return on ? "1" : "0"; }

// The number a key stands for, when it is written as the step writes numbers.
std::optional<std::int32_t> NumberOfKey(const std::string& key) {
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
    if (error != std::errc() || end != key.data() + key.size() || number < 0 || std::to_string(number) != key)
        return std::nullopt;
    return number;
}

constexpr std::uint8_t Box(int box) { return static_cast<std::uint8_t>(1u << (box - 1)); }

// Opening a file: maximized excludes without-activating and minimized; hidden leaves the other
// three nothing to do. Shutting down: log off and restart exclude each other.
constexpr CheckBoxRule kCheckBoxRules[] = {
    {kOpenFileKind, 1, Box(4), false},
    {kOpenFileKind, 2, 0, true},
    {kOpenFileKind, 3, Box(4), false},
    {kOpenFileKind, 4, Box(1) | Box(3), false},
    {kShutDownKind, 1, Box(2), false},
    {kShutDownKind, 2, Box(1), false},
};

}  // namespace

std::string BehaviorValue(const BehaviorFields& fields) {
    std::string value = std::to_string(fields.kind) + ", " + Flag(fields.hasText);
    for (bool checked : fields.checks) value += std::string(", ") + Flag(checked);
    return value + ", " + std::to_string(fields.option);
}

std::vector<std::int32_t> BehaviorNumbers(const std::string& instruction) {
    std::vector<std::int32_t> numbers;
    std::set<std::int32_t> seen;
    for (const core::PropertyEntry& entry : core::PropertyEntries(instruction))
        if (std::optional<std::int32_t> number = NumberOfKey(entry.key); number && seen.insert(*number).second)
            numbers.push_back(*number);
    return numbers;
}

std::int32_t NextBehaviorNumber(const std::string& instruction) {
    const std::string last = core::GetLastPropertyKey(instruction, "-1");
    if (last == "-1") return 0;
    const std::optional<std::int32_t> number = NumberOfKey(last);
    if (number && *number < std::numeric_limits<std::int32_t>::max() &&
        !core::HasProperty(instruction, std::to_string(*number + 1)))
        return *number + 1;
    const std::vector<std::int32_t> taken = BehaviorNumbers(instruction);
    std::int32_t free = 0;
    while (std::find(taken.begin(), taken.end(), free) != taken.end()) ++free;
    return free;
}

std::string DescribeBehavior(const core::SpecialBehavior& behavior, const std::vector<std::string>& kindNames) {
    if (behavior.Kind < 0 || static_cast<std::size_t>(behavior.Kind) >= kindNames.size()) return "";
    const std::string name = kindNames[static_cast<std::size_t>(behavior.Kind)] + ": ";
    switch (behavior.Kind) {
        case kOpenFileKind:
            return name + core::ExtractFileName(behavior.Text);
        case kCloseWindowsKind:
        case 3:
            return name + behavior.Text;
        case kShutDownKind: {
            std::string line = name;
            if (behavior.Option == 1) line += "Standard";
            if (behavior.Option == 2) line += "Force";
            if (behavior.Check1) line += ", Log off";
            if (behavior.Check2) line += ", Restart";
            return line;
        }
        default:
            return "";
    }
}

bool StorableBehaviorText(const std::string& text) { return text.find('|') == std::string::npos; }

CheckBoxRule CheckBoxRuleOf(std::int16_t kind, int box) {
    for (const CheckBoxRule& rule : kCheckBoxRules)
        if (rule.kind == kind && rule.box == box) return rule;
    return {kind, box, 0, false};
}

}  // namespace alarmwizard
