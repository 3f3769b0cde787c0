// The title font of an alarm as the media step shows and edits it: the block "Title 0" of the
// alarm's font information with its back and fore colour, face, size, weight and effects.
//
// The block comes from alarm files, which may have come from anywhere. An entry that is missing,
// or that holds no number where a number belongs, stands for the value a new alarm starts with
// (0xEEEEEE, 0, Arial, 10, 400, 0, 0, 0); the step writes that value into its copy of the block,
// so what it shows is what it keeps.
#pragma once

#include <cstdint>
#include <string>

#include "platform/forms/font.h"

namespace alarmwizard {

struct TitleFont {
    std::int32_t backColor = 0xEEEEEE;  // 0x00BBGGRR
    std::int32_t foreColor = 0;
    std::string name = "Arial";
    float size = 10;  // points
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    bool Bold() const { return weight > 400; }
    platform::forms::FontDescription Description() const;
    bool operator==(const TitleFont&) const = default;
};

// Reads the title block of `information`, putting the new-alarm value into every entry that is
// missing or not a number (and the block itself when there is none); the entries that read well
// stay as they are written.
TitleFont RepairTitleFont(std::string& information);

// A size as the block holds it: the shortest decimal text of the single-precision number, with "."
// whatever the locale ("10", "10.5"), so that alarm files read alike on every computer.
std::string FontSizeText(float size);

// The preview: face, ", ", size, then ", B", ", I", ", U", ", S" for bold, italic, underline and
// strikeout, in that order ("Arial, 10, B, U").
std::string FontPreviewText(const TitleFont& font);

// One entry of the title block set to a value (the entry exists after a repair).
void SetTitleFontEntry(std::string& information, const char* key, const std::string& value);

// A font chosen in the font dialog written into the title block; its colours stay.
void SetChosenFont(std::string& information, const platform::forms::FontDescription& font);

}  // namespace alarmwizard
