// Text as glyph runs: decoding, measuring and rasterising one line (inside platform/draw only).
#pragma once

#include "platform/draw/font_face.h"
#include "platform/draw/surface.h"

#include <string>
#include <string_view>

namespace platform::draw {

// UTF-8 to code points; a malformed sequence becomes U+FFFD and decoding goes on.
std::u32string DecodeUtf8(std::string_view text);

int MeasureRun(FontInstance& font, std::u32string_view run);

struct RunStyle {
    Pixel color = 0xFF000000u;
    bool underline = false;
    bool strikeOut = false;
    int mnemonic = -1;  // index in the run of a character to underline, -1 none
};

// Draws run with its cell's top-left corner at (x, top) in surface coordinates, inside clip.
void DrawRun(Surface& surface, RECT clip, int x, int top, FontInstance& font, std::u32string_view run,
             const RunStyle& style);

}  // namespace platform::draw
