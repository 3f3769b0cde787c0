// The label script parser.
#include "hooklib/label_tokens.h"

#include <algorithm>
#include <cstring>

namespace hooklib {
namespace {

constexpr int kNoRow = -1;

static_assert(kTokenTable.size() < kLiteralTokenRow, "row numbers must not collide with the literal mark");

// For each byte, the first row whose pattern starts with it; kNoRow when none does, so most
// literal characters are settled by one look-up.
constexpr std::array<int, 256> kFirstRowFor = [] {
    std::array<int, 256> first{};
    first.fill(kNoRow);
    for (int row = static_cast<int>(kTokenTable.size()) - 1; row >= 0; --row) {
        first[static_cast<unsigned char>(kTokenTable[row].Pattern.front())] = row;
    }
    return first;
}();

// The first row, in table order, whose pattern starts at pos.
int RowAt(std::string_view text, std::size_t pos) {
    const int first = kFirstRowFor[static_cast<unsigned char>(text[pos])];
    if (first == kNoRow) {
        return kNoRow;
    }
    const std::string_view rest = text.substr(pos);
    for (int row = first; row < static_cast<int>(kTokenTable.size()); ++row) {
        if (rest.starts_with(kTokenTable[row].Pattern)) {
            return row;
        }
    }
    return kNoRow;
}

constexpr std::array<std::string_view, 16> kCodeNames = {
    "",                 // None
    "TRR-NRM-TIM-AM1",  // AmPmUpper
    "TRR-NRM-TIM-AM2",  // AmPmMixed
    "TRR-NRM-TIM-AM3",  // AmPmLower
    "TRR-NRM-DAT-MFN",  // MonthFullName
    "TRR-NRM-DAT-MAN",  // MonthShortName
    "TRR-NRM-DAT-MON",  // Month
    "TRR-NRM-DAT-YER",  // Year
    "TRR-NRM-DAT-DFN",  // DayFullName
    "TRR-NRM-DAT-DAN",  // DayShortName
    "TRR-NRM-DAT-DAY",  // Day
    "TRR-NRM-TIM-HOU",  // Hour24
    "TRR-NRM-TIM-HOR",  // Hour12
    "TRR-NRM-TIM-MIN",  // Minute
    "TRR-NRM-TIM-SEC",  // Second
    "TRR-ALR-TIM-ETA",  // AlarmCountdown
};
static_assert(kCodeNames.size() == static_cast<std::size_t>(TokenCode::AlarmCountdown) + 1);

constexpr std::array<std::string_view, 5> kFormatNames = {"", "%s", "%01li", "%02li", "%04li"};
static_assert(kFormatNames.size() == static_cast<std::size_t>(TokenFormat::Digits4) + 1);

const LabelToken* TokenAt(const HookLabel& label, int index) {
    const std::span<const LabelToken> tokens = LabelTokens(label);
    return index >= 0 && static_cast<std::size_t>(index) < tokens.size() ? &tokens[index] : nullptr;
}

}  // namespace

void ParseLabelFormat(HookLabel& label) {
    const std::string_view text = LabelFormatText(label);
    std::size_t count = 0;
    std::size_t literalUsed = 0;
    // Each token takes at least one character, and literal runs never overlap, so the token
    // list and the literal store (both as large as the format field) cannot overflow.
    for (std::size_t pos = 0; pos < text.size(); ++count) {
        LabelToken& token = label.Tokens[count];
        token = LabelToken{};
        if (const int row = RowAt(text, pos); row != kNoRow) {
            token.Row = static_cast<std::uint8_t>(row);
            label.LabelFlags |= kTokenTable[row].Flag;
            pos += kTokenTable[row].Pattern.size();
            continue;
        }
        std::size_t end = pos + 1;
        while (end < text.size() && RowAt(text, end) == kNoRow) {
            ++end;
        }
        std::memcpy(label.LiteralText + literalUsed, text.data() + pos, end - pos);
        token.LiteralStart = static_cast<std::uint16_t>(literalUsed);
        token.LiteralLength = static_cast<std::uint16_t>(end - pos);
        literalUsed += end - pos;
        pos = end;
    }
    label.LiteralText[literalUsed] = '\0';
    label.TokenCount = static_cast<std::int16_t>(count);
}

std::span<const LabelToken> LabelTokens(const HookLabel& label) {
    const std::size_t count = label.TokenCount <= 0 ? 0 : std::min<std::size_t>(label.TokenCount, kLabelTokenMax);
    return {label.Tokens, count};
}

const TokenRow* TokenRowOf(const LabelToken& token) {
    return token.Row < kTokenTable.size() ? &kTokenTable[token.Row] : nullptr;
}

std::string_view TokenLiteral(const HookLabel& label, const LabelToken& token) {
    const std::string_view store(label.LiteralText, kLabelFormatMax);
    const std::size_t start = std::min<std::size_t>(token.LiteralStart, store.size());
    return store.substr(start, token.LiteralLength);
}

std::string_view TokenCodeName(TokenCode code) {
    const auto index = static_cast<std::size_t>(code);
    return index < kCodeNames.size() ? kCodeNames[index] : std::string_view();
}

std::string_view TokenFormatName(TokenFormat format) {
    const auto index = static_cast<std::size_t>(format);
    return index < kFormatNames.size() ? kFormatNames[index] : std::string_view();
}

std::string TokenFormatText(const HookLabel& label, int index) {
    const LabelToken* token = TokenAt(label, index);
    if (token == nullptr) {
        return {};
    }
    const TokenRow* row = TokenRowOf(*token);
    return std::string(TokenFormatName(row != nullptr ? row->Format : TokenFormat::Text));
}

std::string TokenCodeText(const HookLabel& label, int index) {
    const LabelToken* token = TokenAt(label, index);
    if (token == nullptr) {
        return {};
    }
    if (const TokenRow* row = TokenRowOf(*token)) {
        return std::string(TokenCodeName(row->Code));
    }
    return '"' + std::string(TokenLiteral(label, *token)) + '"';
}

}  // namespace hooklib
