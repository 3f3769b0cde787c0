#include "settings/number_box.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/services/regional.h"
#include "platform/window/messages.h"

namespace settings {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A text made of digits with at most one separator and at least one digit.
bool IsPlainNumber(const std::string& text, const std::string& separator) {
    bool digit = false;
    int separators = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, separator.size(), separator) == 0) {
            ++separators;
            i += separator.size();
        } else if (IsDigit(text[i])) {
            digit = true;
            ++i;
        } else {
            return false;
        }
    }
    return digit && separators <= 1;
}

double ParsePlain(const std::string& text, const std::string& separator) {
    std::string c;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, separator.size(), separator) == 0) {
            c += '.';
            i += separator.size();
        } else {
            c += text[i++];
        }
    }
    return std::strtod(c.c_str(), nullptr);
}

// The shortest text of a value with up to 15 significant digits, in the locale's form.
std::string ShortestText(double value, const std::string& separator) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (std::size_t dot = text.find('.'); dot != std::string::npos) text.replace(dot, 1, separator);
    return text;
}

double Clamp(double value, double lower, double upper) {
    if (value > upper) value = upper;
    if (value < lower) value = lower;
    return value;
}

}  // namespace

std::string SanitizeDecimalText(const std::string& text, double lower, double upper, bool allowDecimals,
                                int maxDecimals, int minDecimals, const std::string& separator) {
    const bool negative = lower < 0 && !text.empty() && text[0] == '-';
    if (minDecimals > maxDecimals) minDecimals = maxDecimals;
    bool leadingZeros = true;
    bool separatorSeen = false;
    int decimals = 0;
    std::string result;
    for (std::size_t i = 0; i < text.size();) {
        const bool isSeparator = text.compare(i, separator.size(), separator) == 0;
        const char c = text[i];
        i += isSeparator ? separator.size() : 1;
        if (c != '0') leadingZeros = false;
        if (isSeparator && allowDecimals) {
            result += separator;
            separatorSeen = true;
        } else if (!leadingZeros && IsDigit(c)) {
            if (separatorSeen && decimals == maxDecimals) break;
            if (separatorSeen) ++decimals;
            result += c;
        }
    }
    if (!IsPlainNumber(result, separator)) result = "0";
    double value = ParsePlain(result, separator);
    if (negative) value = -value;
    result = ShortestText(Clamp(value, lower, upper), separator);
    if (result.find(separator) == std::string::npos) decimals = 0;
    for (int missing = minDecimals - decimals; missing > 0; --missing) {
        if (result.find(separator) == std::string::npos) result += separator;
        result += '0';
    }
    return result;
}

std::string SanitizeDecimalText(const std::string& text, double lower, double upper, bool allowDecimals,
                                int maxDecimals, int minDecimals) {
    return SanitizeDecimalText(text, lower, upper, allowDecimals, maxDecimals, minDecimals,
                               platform::RegionalDecimalSeparator());
}

std::string SanitizeNumericText(const std::string& text, long lower, long upper) {
    const bool negative = lower < 0 && !text.empty() && text[0] == '-';
    bool leadingZeros = true;
    std::string digits;
    for (char c : text) {
        if (c == '+' || c == '.' || c == '-') continue;
        if (c != '0') leadingZeros = false;
        if (!leadingZeros && IsDigit(c)) digits += c;
    }
    if (digits.empty()) digits = "0";
    // Far more digits than any bound has: the value is past the bound whatever they are.
    double value = digits.size() > 18 ? HUGE_VAL : std::strtod(digits.c_str(), nullptr);
    if (negative) value = -value;
    value = Clamp(value, static_cast<double>(lower), static_cast<double>(upper));
    return std::to_string(static_cast<long>(value));
}

std::string CleanNumberBoxText(const std::string& text, const NumberBoxRule& rule, const std::string& separator) {
    if (rule.maxDecimals == 0)
        return SanitizeNumericText(text, static_cast<long>(rule.lower), static_cast<long>(rule.upper));
    return SanitizeDecimalText(text, rule.lower, rule.upper, true, rule.maxDecimals, rule.minDecimals, separator);
}

double NumberBoxValue(const std::string& cleanText, const std::string& separator) {
    const bool negative = !cleanText.empty() && cleanText[0] == '-';
    const double value = ParsePlain(negative ? cleanText.substr(1) : cleanText, separator);
    return negative ? -value : value;
}

std::string StepNumberBoxText(const std::string& text, const NumberBoxRule& rule, int direction,
                              const std::string& separator) {
    // The step starts from what the box stands for: an empty box, text that is no number or a
    // number past a bound are cleaned first (a cleaned text stays as it is).
    const std::string current = CleanNumberBoxText(text, rule, separator);
    const double value = NumberBoxValue(current, separator);
    double next = value;
    if (direction < 0 && value > rule.lower) next = value - rule.step;
    if (direction > 0 && value < rule.upper) next = value + rule.step;
    // The step is taken on the box's own decimals: binary fractions would otherwise lose the last
    // place to the clean-up's cut (0.3 - 0.1 is 0.19999...).
    const double scale = std::pow(10.0, rule.maxDecimals);
    next = std::round(next * scale) / scale;
    return CleanNumberBoxText(ShortestText(next, separator), rule, separator);
}

int StepOfKey(int keyCode) {
    switch (keyCode) {
        case platform::VK_UP:
        case platform::VK_RIGHT: return 1;
        case platform::VK_LEFT:
        case platform::VK_DOWN: return -1;
        default: return 0;
    }
}

NumberBox::NumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                     platform::forms::CommandButton& plus, NumberBoxRule rule, std::function<void(double)> store,
                     std::function<bool()> loading)
    : NumberBox(box, minus, plus, [rule] { return rule; }, std::move(store), std::move(loading)) {}

NumberBox::NumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                     platform::forms::CommandButton& plus, std::function<NumberBoxRule()> rule,
                     std::function<void(double)> store, std::function<bool()> loading)
    : box_(box), rule_(std::move(rule)), store_(std::move(store)), loading_(std::move(loading)) {
    box_.LostFocus = [this] { CleanUp(); };
    // The key is not consumed: the caret moves too.
    box_.KeyDown = [this](int& keyCode, int) {
        if (int step = StepOfKey(keyCode)) Step(step);
    };
    minus.Click = [this] { Step(-1); };
    plus.Click = [this] { Step(1); };
}

void NumberBox::CleanUp() {
    if (loading_ && loading_()) return;
    const std::string separator = platform::RegionalDecimalSeparator();
    const std::string clean = CleanNumberBoxText(box_.Text, rule_(), separator);
    box_.Text = clean;
    if (store_) store_(NumberBoxValue(clean, separator));
}

void NumberBox::Step(int direction) {
    box_.Text = StepNumberBoxText(box_.Text, rule_(), direction, platform::RegionalDecimalSeparator());
    CleanUp();
}

}  // namespace settings
