// One clock label as the library holds it: the properties the program sent, and the format
// script split into tokens. The record holds no pointer and no owned heap block, so it can be
// copied whole and embedded in any store, shared or per process; its layout is fixed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "hooklib/clock_protocol.h"

namespace hooklib {

// Text limits of the label's fields, in bytes without the terminator.
inline constexpr std::size_t kLabelFaceMax = 33;
inline constexpr std::size_t kLabelFormatMax = 499;
// Every token takes at least one character of the script.
inline constexpr std::size_t kLabelTokenMax = kLabelFormatMax;

// Row of the token table (label_tokens.h) that a token came from; kLiteralTokenRow marks a run
// of literal text kept in the label's LiteralText.
inline constexpr std::uint8_t kLiteralTokenRow = 0xFF;

struct LabelToken {
    std::uint16_t LiteralStart = 0;   // literal tokens: offset of the run in LiteralText
    std::uint16_t LiteralLength = 0;  // literal tokens: bytes of the run
    std::uint8_t Row = kLiteralTokenRow;
    std::uint8_t Unused[3] = {};
};

struct HookLabel {
    std::int16_t X = 0;  // drawing position in pixels of the clock's client area
    std::int16_t Y = 0;
    char Face[kLabelFaceMax + 1] = {};
    std::int16_t Size = 0;  // points; a label of size 0 is neither painted nor reported
    std::int16_t Weight = 0;
    std::uint8_t Italic = 0;
    std::uint8_t Underline = 0;
    std::uint8_t StrikeOut = 0;
    std::uint8_t Unused1[3] = {};
    std::uint32_t BackColor = 0;  // 0x00BBGGRR
    std::uint32_t TextColor = 0;
    char FormatText[kLabelFormatMax + 1] = {};
    std::uint32_t LabelFlags = 0;
    std::int16_t TokenCount = 0;
    std::uint8_t Shown = 0;
    std::uint8_t Prepared = 0;  // taskbar process: font made and script parsed
    char LiteralText[kLabelFormatMax + 1] = {};
    std::uint8_t Unused2[4] = {};
    LabelToken Tokens[kLabelTokenMax] = {};
};

static_assert(std::is_standard_layout_v<HookLabel> && std::is_trivially_copyable_v<HookLabel>);
static_assert(sizeof(LabelToken) == 8);
static_assert(offsetof(HookLabel, Face) == 0x004);
static_assert(offsetof(HookLabel, Size) == 0x026);
static_assert(offsetof(HookLabel, Italic) == 0x02a);
static_assert(offsetof(HookLabel, BackColor) == 0x030);
static_assert(offsetof(HookLabel, TextColor) == 0x034);
static_assert(offsetof(HookLabel, FormatText) == 0x038);
static_assert(offsetof(HookLabel, LabelFlags) == 0x22c);
static_assert(offsetof(HookLabel, TokenCount) == 0x230);
static_assert(offsetof(HookLabel, Shown) == 0x232);
static_assert(offsetof(HookLabel, Prepared) == 0x233);
static_assert(offsetof(HookLabel, LiteralText) == 0x234);
static_assert(offsetof(HookLabel, Tokens) == 0x42c);
static_assert(sizeof(HookLabel) == 0x42c + 8 * kLabelTokenMax);

// Stores a face name or a format script, cut to the field's limit (never inside a UTF-8
// sequence) and zero-terminated. Anything after an embedded zero byte is dropped.
void SetLabelFace(HookLabel& label, std::string_view face);
void SetLabelFormatText(HookLabel& label, std::string_view format);

// The stored texts, up to their terminator or the field's limit, whichever comes first.
std::string_view LabelFace(const HookLabel& label);
std::string_view LabelFormatText(const HookLabel& label);

}  // namespace hooklib
