// An alarm's special behaviours and its title font, read from its property strings.
//
// "Instruction" holds one entry per behaviour, keyed by the behaviour's number; its value is seven
// items joined by ", ": kind, text switch, switches 1 to 4, option ("|3: 1, 1, 0, 1, 0, 0, 2 ").
// "Extra" holds the behaviours' texts under the same keys. "FontInformation" holds the block
// "Title 0" with the title font's entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// The font information a new alarm starts with (two blanks on each side of 0xEEEEEE).
inline constexpr const char* kNewAlarmFontInformation =
    "<@Title 0: |FontBackColor:  15658734  |FontForeColor: 0 |FontName: Arial |FontSize: 10 |FontBold: 400 "
    "|FontItalic: 0 |FontUnderline: 0 |FontStrikeout: 0 @> ";
inline constexpr const char* kTitleFontBlock = "Title 0";

struct SpecialBehavior {
    std::int16_t Kind = 0;
    std::string Text;  // from Extra when the text switch is "1", else "N/A"
    std::int16_t Check1 = 0;  // -1 on, 0 off
    std::int16_t Check2 = 0;
    std::int16_t Check3 = 0;
    std::int16_t Check4 = 0;
    std::uint8_t Option = 0;
    bool operator==(const SpecialBehavior&) const = default;
};

struct AlarmFontRecord {
    std::int32_t BackColor = 0;  // 0x00BBGGRR
    std::int32_t ForeColor = 0;
    std::string Name;
    std::int16_t Size = 0;  // points
    std::int16_t Bold = 0;  // weight, 400 normal, 700 bold
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t Strikeout = 0;
    bool operator==(const AlarmFontRecord&) const = default;
};

// Fills the record for behaviour `number`. A blank record (numbers 0, Text empty) when
// `instruction` has no entry for it, or when its entry is not seven items with a kind of 16 bits
// and an option of 8 bits; false in that last case, which is told to the debug log.
bool ParseBehavior(SpecialBehavior& behavior, const std::string& instruction, const std::string& extra, std::int32_t number);

// Every well-formed behaviour of an alarm, in the order of the entries in `instruction`. Entries
// are walked by position, so a key written twice cannot make the walk go round for ever; an entry
// whose key is not a number, or that does not parse, is left out and told to the debug log.
std::vector<SpecialBehavior> ParseBehaviors(const std::string& instruction, const std::string& extra);

// Fills the record from the block `blockKey` of `s`. Numbers are decimal, blanks around the digits
// ignored; a size with a fraction is read as the nearest whole point. An entry that is missing, or
// whose value is not a number of the field's width, takes the value a new alarm starts with
// (kNewAlarmFontInformation); such entries are told to the debug log.
void ParseFontInformation(AlarmFontRecord& font, const std::string& s, const std::string& blockKey);

// A FontSize value as a number: decimal with "." (or "," from a computer that wrote its own
// separator), blanks around it ignored; nothing when it is not a finite number.
std::optional<float> ParseFontSize(const std::string& text);

}  // namespace core
