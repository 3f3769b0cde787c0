// Rich text laid out for a width: paragraphs broken into lines at blanks (inside a word only when
// the word alone is wider than the line), each line a row of segments of one look.
#pragma once

#include <string>
#include <vector>

#include "platform/forms/font.h"
#include "platform/forms/rich_text.h"

namespace platform::forms {

struct RichSegment {
    std::string text;
    FontDescription font;
    bool hasColor = false;
    COLORREF color = 0;
    int x = 0;
    int width = 0;
    int height = 0;  // the line height of the segment's font; segments sit on the line's bottom
};

struct RichLine {
    int top = 0;
    int height = 0;
    std::vector<RichSegment> segments;
};

struct RichLayout {
    std::vector<RichLine> lines;
    int height = 0;
};

// base: the box's own font; runs without a size of their own take its size.
RichLayout LayoutRichText(const RichDocument& doc, const FontDescription& base, int width);

}  // namespace platform::forms
