// The colour-key controls of a visuals frame (the general options page, the wizard's window style
// step): the colour button and its swatch, hung off the Transparent box by a bracket of five lines,
// and shown only while Transparent is ticked.
#pragma once

#include <array>

#include "platform/forms/command_button.h"
#include "platform/forms/line.h"
#include "platform/forms/picture_box.h"

namespace settings {

void PutLine(platform::forms::Line& line, int x1, int y1, int x2, int y2);

struct ColorKeyControls {
    platform::forms::CommandButton& button;
    platform::forms::PictureBox& swatch;
    std::array<platform::forms::Line*, 5> lines;

    // Beside the Transparent box whose top left corner is (left, top), in the frame's twips.
    void Place(int left, int top) const;
    void Show(bool shown) const;
};

}  // namespace settings
