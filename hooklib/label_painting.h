// The labels on the taskbar clock: each shown label's font, made once per change of its
// properties together with the parse of its script, and its text drawn at its position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/draw/gdi.h"

namespace hooklib {

// One label as a paint draws it: two paints that draw equal labels draw the same pixels.
struct LabelDrawing {
    platform::HFONT font;
    int x = 0;
    int y = 0;
    platform::COLORREF textColour = 0;
    std::optional<platform::COLORREF> backColour;  // only when the text goes on the label's back colour
    std::string text;
    bool operator==(const LabelDrawing&) const = default;
};

// What the labels of this paint draw into hdc (the clock's off-screen image): every shown label of
// non-zero size, in its text of this moment. The ones not yet prepared are prepared first (their
// font is made in hdc's resolution); returns whether any was. Text goes on the label's back
// colour unless a transparency mode is in force.
bool DescribeLabels(platform::HDC hdc, std::vector<LabelDrawing>& labels);

// Draws the labels into hdc.
void DrawLabels(platform::HDC hdc, const std::vector<LabelDrawing>& labels);

// Deletes the font made for a label; the result of the deletion (0 when it has none, or for an
// index outside the labels).
platform::BOOL DeleteLabelFont(int index);

}  // namespace hooklib
