// ClockLabel: the program's record of one clock label, and the label list Labels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace core {

struct ClockLabel {
    std::string LabelName;  // names the label's section "ZTVLBL: " + LabelName
    std::string LabelKey;   // key of the label's item in the list "Labels"
    std::int16_t X = 0;     // left offset, twips, the global offset included
    std::int16_t Y = 0;     // top offset, twips, the global offset included
    std::int16_t BaseX = 0;  // the part of X that comes from the global offset (not stored)
    std::int16_t BaseY = 0;  // the part of Y that comes from the global offset (not stored)
    std::string Face;
    std::int16_t Size = 0;  // points
    std::int16_t Bold = 0;  // font weight, 400 normal, 700 bold
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
    std::int32_t Back = 0;  // 0x00BBGGRR
    std::int32_t Fore = 0;  // 0x00BBGGRR
    std::string SpawnString;     // the label's format script
    std::int32_t LabelFlags = 0;  // alignment and tooltip flags the library reports (not stored)
    bool Visible = false;
};

// The labels are elements 0 to LabelCount - 1; one spare element always follows them.
inline std::vector<ClockLabel> Labels(1);
inline std::int16_t LabelCount = 0;

// Moves every label by the global offset's change, in pixels: X and BaseX by dx * 15 twips, Y and
// BaseY by dy * 15 twips.
void ShiftLabelOffsets(std::int16_t dx, std::int16_t dy);

}  // namespace core
