// The label renderer.
#include "hooklib/label_render.h"

#include <charconv>

#include "hooklib/label_date_names.h"
#include "hooklib/label_tokens.h"

namespace hooklib {
namespace {

// Writes value with at least minDigits digits, zero-padded, as "%0<minDigits>li" does.
void AppendNumber(std::string& out, std::uint64_t value, int minDigits) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    if (length < minDigits) {
        out.append(static_cast<std::size_t>(minDigits - length), '0');
    }
    out.append(digits, end);
}

int MinDigits(TokenFormat format) {
    switch (format) {
        case TokenFormat::Digits2: return 2;
        case TokenFormat::Digits4: return 4;
        default: return 1;
    }
}

// The value of a number token; the year is written whole only in its four-digit form.
std::uint64_t NumberValue(const TokenRow& row, const platform::SYSTEMTIME& t) {
    switch (row.Code) {
        case TokenCode::Month: return t.wMonth;
        case TokenCode::Year: return row.Format == TokenFormat::Digits4 ? t.wYear : t.wYear % 100;
        case TokenCode::Day: return t.wDay;
        case TokenCode::Hour24: return t.wHour;
        case TokenCode::Hour12: return t.wHour % 12 == 0 ? 12 : t.wHour % 12;
        case TokenCode::Minute: return t.wMinute;
        case TokenCode::Second: return t.wSecond;
        default: return 0;
    }
}

void AppendCountdown(std::string& out, std::int64_t secondsLeft) {
    const std::uint64_t seconds = secondsLeft > 0 ? static_cast<std::uint64_t>(secondsLeft) : 0;
    AppendNumber(out, seconds / 3600, 2);  // hours are not capped at 99
    out += ':';
    AppendNumber(out, seconds % 3600 / 60, 2);
    out += ':';
    AppendNumber(out, seconds % 60, 2);
}

std::string_view MeridiemText(TokenCode code, bool morning) {
    switch (code) {
        case TokenCode::AmPmUpper: return morning ? "AM" : "PM";
        case TokenCode::AmPmMixed: return morning ? "Am" : "Pm";
        default: return morning ? "am" : "pm";
    }
}

void AppendToken(std::string& out, const TokenRow& row, const platform::SYSTEMTIME& t, std::int64_t secondsToNextAlarm) {
    switch (row.Code) {
        case TokenCode::None: return;
        case TokenCode::AmPmUpper:
        case TokenCode::AmPmMixed:
        case TokenCode::AmPmLower: out += MeridiemText(row.Code, t.wHour < 12); return;
        case TokenCode::MonthFullName: out += MonthName(t, NameForm::Full); return;
        case TokenCode::MonthShortName: out += MonthName(t, NameForm::Short); return;
        case TokenCode::DayFullName: out += DayName(t, NameForm::Full); return;
        case TokenCode::DayShortName: out += DayName(t, NameForm::Short); return;
        case TokenCode::AlarmCountdown: AppendCountdown(out, secondsToNextAlarm); return;
        case TokenCode::Month:
        case TokenCode::Year:
        case TokenCode::Day:
        case TokenCode::Hour24:
        case TokenCode::Hour12:
        case TokenCode::Minute:
        case TokenCode::Second: AppendNumber(out, NumberValue(row, t), MinDigits(row.Format)); return;
    }
}

}  // namespace

std::string RenderLabel(const HookLabel& label, const platform::SYSTEMTIME& localTime, std::int64_t secondsToNextAlarm) {
    std::string text;
    for (const LabelToken& token : LabelTokens(label)) {
        if (const TokenRow* row = TokenRowOf(token)) {
            AppendToken(text, *row, localTime, secondsToNextAlarm);
        } else {
            text += TokenLiteral(label, token);
        }
    }
    return text;
}

}  // namespace hooklib
