// The labels on the taskbar clock: each shown label's font, made once per change of its
// properties together with the parse of its script, and its text drawn at its position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hooklib/label_text_now.h"
#include "platform/draw/gdi.h"

namespace hooklib {

// One label as a paint draws it: two paints that draw equal labels draw the same pixels.
struct LabelDrawing {
    int index = -1;  // of the label in the labels
    platform::HFONT font;
    int x = 0;
    int y = 0;
    platform::COLORREF textColour = 0;
    std::optional<platform::COLORREF> backColour;  // only when the text goes on the label's back colour
    std::string text;
    bool operator==(const LabelDrawing&) const = default;
};

// Brings labels to what the labels of this paint draw into hdc (the clock's off-screen image):
// every shown label of non-zero size that is not only reported (PaintedOnClock), in its text
// at moment. The ones not yet prepared are
// prepared first (their font is made in hdc's resolution); returns whether any was. Text goes on
// the label's back colour unless a transparency mode is in force. A label's text is made again
// only when it was just prepared, is another label than the one its place held, or the moment is
// not textsMoment (the moment of the texts labels holds, which then becomes moment): a refresh
// within the same second renders nothing.
bool DescribeLabels(platform::HDC hdc, std::vector<LabelDrawing>& labels, const LabelMoment& moment,
                    LabelMoment& textsMoment);

// Draws the labels into hdc.
void DrawLabels(platform::HDC hdc, const std::vector<LabelDrawing>& labels);

// Deletes the font made for a label; the result of the deletion (0 when it has none, or for an
// index outside the labels).
platform::BOOL DeleteLabelFont(int index);

}  // namespace hooklib
