// The label script's vocabulary and its parser. A script such as "achh:mm:ss" is read from the
// front: at each position the first pattern of the token table, in table order, that starts
// there is the token; any other run of text up to the next position where some pattern starts
// is a literal. Matching is case-sensitive and there is no escape character, so patterns are
// found inside words too ("Time" is "Ti", the minute, "e").
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "hooklib/hook_label.h"

namespace hooklib {

// What a token stands for; the renderer picks the value by this code.
enum class TokenCode : std::uint8_t {
    None,  // flag tokens: render nothing
    AmPmUpper,
    AmPmMixed,
    AmPmLower,
    MonthFullName,
    MonthShortName,
    Month,
    Year,
    DayFullName,
    DayShortName,
    Day,
    Hour24,
    Hour12,
    Minute,
    Second,
    AlarmCountdown,
};

// How a token's value is written.
enum class TokenFormat : std::uint8_t {
    None,     // flag tokens
    Text,     // "%s"
    Digits1,  // "%01li"
    Digits2,  // "%02li"
    Digits4,  // "%04li"
};

struct TokenRow {
    std::string_view Pattern;
    TokenCode Code;
    TokenFormat Format;
    std::uint32_t Flag;  // LabelFlags bit the token adds, 0 for value tokens
};

// The order is the matching order: a longer pattern stands before the shorter ones it starts with.
inline constexpr std::array<TokenRow, 27> kTokenTable = {{
    {"AMPM", TokenCode::AmPmUpper, TokenFormat::Text, 0},
    {"AmPm", TokenCode::AmPmMixed, TokenFormat::Text, 0},
    {"ampm", TokenCode::AmPmLower, TokenFormat::Text, 0},
    {"MMMM", TokenCode::MonthFullName, TokenFormat::Text, 0},
    {"MMM", TokenCode::MonthShortName, TokenFormat::Text, 0},
    {"MM", TokenCode::Month, TokenFormat::Digits2, 0},
    {"M", TokenCode::Month, TokenFormat::Digits1, 0},
    {"YYYY", TokenCode::Year, TokenFormat::Digits4, 0},
    {"YY", TokenCode::Year, TokenFormat::Digits2, 0},
    {"Y", TokenCode::Year, TokenFormat::Digits1, 0},
    {"DDDD", TokenCode::DayFullName, TokenFormat::Text, 0},
    {"DDD", TokenCode::DayShortName, TokenFormat::Text, 0},
    {"DD", TokenCode::Day, TokenFormat::Digits2, 0},
    {"D", TokenCode::Day, TokenFormat::Digits1, 0},
    {"hh", TokenCode::Hour24, TokenFormat::Digits2, 0},
    {"h", TokenCode::Hour24, TokenFormat::Digits1, 0},
    {"HH", TokenCode::Hour12, TokenFormat::Digits2, 0},
    {"H", TokenCode::Hour12, TokenFormat::Digits1, 0},
    {"mm", TokenCode::Minute, TokenFormat::Digits2, 0},
    {"m", TokenCode::Minute, TokenFormat::Digits1, 0},
    {"ss", TokenCode::Second, TokenFormat::Digits2, 0},
    {"s", TokenCode::Second, TokenFormat::Digits1, 0},
    {"ETA", TokenCode::AlarmCountdown, TokenFormat::Text, 0},
    {"al", TokenCode::None, TokenFormat::None, kLabelAlignLeft},
    {"ac", TokenCode::None, TokenFormat::None, kLabelAlignCentre},
    {"ar", TokenCode::None, TokenFormat::None, kLabelAlignRight},
    {"!tooltip", TokenCode::None, TokenFormat::None, kLabelTooltipOnly},
}};

// Splits the label's FormatText into its token list, replacing the old one, and ORs the flag
// tokens' bits into LabelFlags (callers clear LabelFlags when new properties arrive). Any
// script parses: an empty one gives no tokens, one without patterns a single literal.
void ParseLabelFormat(HookLabel& label);

// The label's parsed tokens in order (TokenCount bounded to the token store).
std::span<const LabelToken> LabelTokens(const HookLabel& label);

// The table row of a token, or nullptr for a literal (or a row the table does not have).
const TokenRow* TokenRowOf(const LabelToken& token);

// The literal run of a literal token, bounded by the label's literal store.
std::string_view TokenLiteral(const HookLabel& label, const LabelToken& token);

// The library's own texts for a code and a format, as its debug lines show them:
// "TRR-NRM-TIM-HOU", "%02li"; both empty for flag tokens.
std::string_view TokenCodeName(TokenCode code);
std::string_view TokenFormatName(TokenFormat format);

// Token index of the label as the debug lines show it: its format, and its code, which for a
// literal is the run between two double quotes. Empty for an index outside the token list.
std::string TokenFormatText(const HookLabel& label, int index);
std::string TokenCodeText(const HookLabel& label, int index);

}  // namespace hooklib
