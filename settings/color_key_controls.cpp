#include "settings/color_key_controls.h"

namespace settings {

void PutLine(platform::forms::Line& line, int x1, int y1, int x2, int y2) {
    line.X1 = x1;
    line.Y1 = y1;
    line.X2 = x2;
    line.Y2 = y2;
}

void ColorKeyControls::Place(int left, int top) const {
    button.Move(left + 2280, top - 60, 1200, 375);
    swatch.Move(left + 3840, top - 30, 480, 315);
    // From the box to the button, from the button to the swatch, and a bracket under both.
    PutLine(*lines[0], left + 1860, top + 150, left + 2280, top + 150);
    PutLine(*lines[1], left + 3480, top + 130, left + 3840, top + 130);
    PutLine(*lines[2], left + 1860, top + 150, left + 1860, top + 390);
    PutLine(*lines[3], left + 1860, top + 390, left + 4080, top + 390);
    PutLine(*lines[4], left + 4080, top + 285, left + 4080, top + 390);
}

void ColorKeyControls::Show(bool shown) const {
    button.Visible = shown;
    swatch.Visible = shown;
    for (platform::forms::Line* line : lines) line->Visible = shown;
}

}  // namespace settings
