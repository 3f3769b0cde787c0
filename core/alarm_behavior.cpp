#include "core/alarm_behavior.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>
#include <optional>

#include "core/debug_log.h"
#include "core/property_strings.h"
#include "core/stored_fields.h"

namespace core {
namespace {

constexpr std::size_t kBehaviorItems = 7;

std::vector<std::string> SplitItems(const std::string& value) {
    std::vector<std::string> items;
    std::size_t start = 0;
    for (std::size_t comma = value.find(", "); comma != std::string::npos; comma = value.find(", ", start)) {
        items.push_back(value.substr(start, comma - start));
        start = comma + 2;
    }
    items.push_back(value.substr(start));
    return items;
}

template <class T>
std::optional<T> ReadNumber(const std::string& text) {
    std::optional<std::int32_t> number = platform::ParseLongText(text);
    if (!number || *number < std::numeric_limits<T>::min() || *number > std::numeric_limits<T>::max()) return std::nullopt;
    return static_cast<T>(*number);
}

std::int16_t Switch(const std::string& item) { return item == "1" ? -1 : 0; }

struct FontEntry {
    const char* key;
    StoredMember<AlarmFontRecord> member;
};

const FontEntry kFontEntries[] = {
    {"FontBackColor", &AlarmFontRecord::BackColor}, {"FontForeColor", &AlarmFontRecord::ForeColor},
    {"FontName", &AlarmFontRecord::Name},           {"FontSize", &AlarmFontRecord::Size},
    {"FontBold", &AlarmFontRecord::Bold},           {"FontItalic", &AlarmFontRecord::Italic},
    {"FontUnderline", &AlarmFontRecord::Underline}, {"FontStrikeout", &AlarmFontRecord::Strikeout},
};

// The record kNewAlarmFontInformation describes.
const AlarmFontRecord kNewAlarmFont{0xEEEEEE, 0, "Arial", 10, 400, 0, 0, 0};

// The record of one Instruction entry; false, and the record blank, when the entry is not seven
// items with a kind of 16 bits and an option of 8 bits.
bool BehaviorFromEntry(SpecialBehavior& behavior, const PropertyEntry& entry, const std::string& extra) {
    const std::vector<std::string> items = SplitItems(entry.value);
    std::optional<std::int16_t> kind = items.size() >= kBehaviorItems ? ReadNumber<std::int16_t>(items[0]) : std::nullopt;
    std::optional<std::uint8_t> option = items.size() >= kBehaviorItems ? ReadNumber<std::uint8_t>(items[6]) : std::nullopt;
    if (!kind || !option) {
        DebugLog("[ParseBehavior]: behaviour " + entry.key + " \"" + entry.value +
                 "\" is not seven items with a kind and an option; it is left out.");
        return false;
    }
    behavior.Kind = *kind;
    behavior.Text = items[1] == "1" ? GetProperty(extra, entry.key) : "N/A";
    behavior.Check1 = Switch(items[2]);
    behavior.Check2 = Switch(items[3]);
    behavior.Check3 = Switch(items[4]);
    behavior.Check4 = Switch(items[5]);
    behavior.Option = *option;
    return true;
}

// The wizard's font step writes a size as a single-precision number ("10.5"); the record holds
// whole points, the nearest one (a half to the even one, as a whole-number conversion rounds).
std::string WholePointsText(const std::string& text) {
    if (platform::ParseLongText(text)) return text;
    std::optional<float> size = ParseFontSize(text);
    if (!size || std::fabs(*size) > 32767) return text;
    return std::to_string(static_cast<long long>(std::nearbyint(*size)));
}

}  // namespace

std::optional<float> ParseFontSize(const std::string& text) {
    std::string digits = text;
    digits.erase(0, digits.find_first_not_of(' '));
    digits.erase(digits.find_last_not_of(' ') + 1);
    if (const std::size_t comma = digits.find(','); comma != std::string::npos) digits[comma] = '.';
    float size = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size, std::chars_format::fixed);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || !std::isfinite(size))
        return std::nullopt;
    return size;
}

bool ParseBehavior(SpecialBehavior& behavior, const std::string& instruction, const std::string& extra, std::int32_t number) {
    behavior = SpecialBehavior{};
    const std::string key = std::to_string(number);
    if (!HasProperty(instruction, key)) return true;
    return BehaviorFromEntry(behavior, {key, GetProperty(instruction, key)}, extra);
}

std::vector<SpecialBehavior> ParseBehaviors(const std::string& instruction, const std::string& extra) {
    std::vector<SpecialBehavior> behaviors;
    for (const PropertyEntry& entry : PropertyEntries(instruction)) {
        std::optional<std::int32_t> number = platform::ParseLongText(entry.key);
        if (!number || std::to_string(*number) != entry.key) {
            DebugLog("[ParseBehavior]: behaviour key \"" + entry.key + "\" is not a number; it is left out.");
            continue;
        }
        SpecialBehavior behavior;
        if (BehaviorFromEntry(behavior, entry, extra)) behaviors.push_back(std::move(behavior));
    }
    return behaviors;
}

void ParseFontInformation(AlarmFontRecord& font, const std::string& s, const std::string& blockKey) {
    const std::string content = GetNestedProperty(s, blockKey);
    for (const FontEntry& entry : kFontEntries) {
        std::string text = GetProperty(content, entry.key);
        if (std::string_view(entry.key) == "FontSize") text = WholePointsText(text);
        if (HasProperty(content, entry.key) && StoreFieldText(font, entry.member, text)) continue;
        std::visit([&](auto member) { font.*member = kNewAlarmFont.*member; }, entry.member);
        DebugLog("[ParseFontInformation]: \"" + std::string(entry.key) + "\" of \"" + blockKey + "\" is missing or not " +
                 FieldRangeText(entry.member) + "; a new alarm's value is used.");
    }
}

}  // namespace core
