#include "alarmwizard/title_font.h"

#include <charconv>
#include <functional>
#include <optional>

#include "core/alarm_behavior.h"
#include "core/property_strings.h"
#include "platform/services/settings_file.h"

namespace alarmwizard {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Reads one entry's text into the font; false when it is not what the entry holds.
using EntryReader = std::function<bool(TitleFont&, const std::string&)>;

EntryReader Number(std::int32_t TitleFont::*field) {
    return [field](TitleFont& font, const std::string& text) {
        std::optional<std::int32_t> number = platform::ParseLongText(text);
        if (number) font.*field = *number;
        return number.has_value();
    };
}

EntryReader Switch(bool TitleFont::*field) {
    return [field](TitleFont& font, const std::string& text) {
        std::optional<std::int32_t> number = platform::ParseLongText(text);
        if (number) font.*field = *number != 0;
        return number.has_value();
    };
}

struct FontEntry {
    const char* key;
    const char* newAlarmValue;
    EntryReader read;
};

const FontEntry kEntries[] = {
    {"FontBackColor", "15658734", Number(&TitleFont::backColor)},
    {"FontForeColor", "0", Number(&TitleFont::foreColor)},
    {"FontName", "Arial",
     [](TitleFont& font, const std::string& text) {
         if (Trimmed(text).empty()) return false;
         font.name = text;
         return true;
     }},
    {"FontSize", "10",
     [](TitleFont& font, const std::string& text) {
         std::optional<float> size = core::ParseFontSize(text);
         if (!size || *size <= 0) return false;
         font.size = *size;
         return true;
     }},
    {"FontBold", "400", Number(&TitleFont::weight)},
    {"FontItalic", "0", Switch(&TitleFont::italic)},
    {"FontUnderline", "0", Switch(&TitleFont::underline)},
    {"FontStrikeout", "0", Switch(&TitleFont::strikeout)},
};

const char* const kBlock = core::kTitleFontBlock;

// Puts the block's content back; a block that is missing or never closed is written afresh.
void PutBlock(std::string& information, const std::string& content) {
    core::SetNestedProperty(information, kBlock, content);
    if (core::GetNestedProperty(information, kBlock) == content) return;
    const std::string block = std::string("<@") + kBlock + ": " + content + "@> ";
    information += block;
    if (core::GetNestedProperty(information, kBlock) != content) information = block;
}

}  // namespace

platform::forms::FontDescription TitleFont::Description() const {
    return {.name = name, .size = size, .bold = Bold(), .italic = italic, .underline = underline, .strikethru = strikeout};
}

TitleFont RepairTitleFont(std::string& information) {
    TitleFont font;
    std::string content = core::GetNestedProperty(information, kBlock);
    const std::string read = content;
    for (const FontEntry& entry : kEntries) {
        const bool present = core::HasProperty(content, entry.key);
        if (present && entry.read(font, core::GetProperty(content, entry.key))) continue;
        entry.read(font, entry.newAlarmValue);
        if (present)
            core::ReplaceProperty(content, entry.key, entry.newAlarmValue);
        else
            core::AddProperty(content, entry.key, entry.newAlarmValue);
    }
    if (content != read || !core::HasNestedProperty(information, kBlock)) PutBlock(information, content);
    return font;
}

std::string FontSizeText(float size) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, size, std::chars_format::fixed);
    return error == std::errc() ? std::string(text, end) : "10";
}

std::string FontPreviewText(const TitleFont& font) {
    std::string preview = font.name + ", " + FontSizeText(font.size);
    const std::pair<bool, const char*> marks[] = {
        {font.Bold(), ", B"}, {font.italic, ", I"}, {font.underline, ", U"}, {font.strikeout, ", S"}};
    for (auto [on, mark] : marks)
        if (on) preview += mark;
    return preview;
}

void SetTitleFontEntry(std::string& information, const char* key, const std::string& value) {
    std::string content = core::GetNestedProperty(information, kBlock);
    core::ReplaceProperty(content, key, value);
    core::SetNestedProperty(information, kBlock, content);
}

void SetChosenFont(std::string& information, const platform::forms::FontDescription& font) {
    const std::pair<const char*, std::string> entries[] = {
        {"FontName", font.name},
        {"FontSize", FontSizeText(static_cast<float>(font.size))},
        {"FontBold", font.bold ? "700" : "400"},
        {"FontItalic", font.italic ? "1" : "0"},
        {"FontUnderline", font.underline ? "1" : "0"},
        {"FontStrikeout", font.strikethru ? "1" : "0"},
    };
    for (const auto& [key, value] : entries) SetTitleFontEntry(information, key, value);
}

}  // namespace alarmwizard
