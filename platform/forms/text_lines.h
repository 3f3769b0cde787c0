// The lines a text box shows, kept from one edit to the next: where a multi-line box's text wraps
// into visual lines, and the x of every character of a single-line box's one line. After an edit
// only the lines around it are wrapped and measured again; the lines after it keep their breaks and
// move by the edit's length. So a key press in a box of 20,000 characters measures what it measures
// in a short one.
//
// A multi-line text wraps after the last blank that fits the width, or inside a word wider than
// the whole width; every line holds at least one character of its logical line.
#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/forms/text_edit.h"

namespace platform::forms {

class TextLines {
public:
    struct Line {
        int start = 0;  // character positions; `end` excludes the line break
        int end = 0;
        bool operator==(const Line&) const = default;
    };
    // The width in pixels of one character (its UTF-8 bytes), as the box shows it.
    using Measure = std::function<int(std::string_view character)>;

    // The lines of the text: wrapped to `width` when `wrap`, else the whole text as one line.
    // Laid out afresh after Forget, else mended around the text's last change (see Edited).
    const std::vector<Line>& Lines(const TextEdit& text, bool wrap, int width, const Measure& measure);
    // For one unwrapped line: the x of each character position, from 0 to the text's length.
    const std::vector<int>& Offsets(const TextEdit& text, const Measure& measure);

    // The text changed as its LastChange says: the next Lines and Offsets mend what they kept.
    void Edited(const TextEdit::Change& change);
    // The next Lines and Offsets start afresh (a new text, font, width or look).
    void Forget();

private:
    // The visual line that starts at `start`, and where the next one starts (-1: none).
    Line NextLine(const TextEdit& text, int start, int width, const Measure& measure, int& next);
    void WrapAll(const TextEdit& text, int width, const Measure& measure);
    void MendWrap(const TextEdit& text, int width, const Measure& measure, const TextEdit::Change& change);
    void MendOffsets(const TextEdit& text, const Measure& measure, const TextEdit::Change& change);

    // What was kept, and the change made since (one at most: a second one lays out afresh).
    struct Kept {
        bool valid = false;
        std::optional<TextEdit::Change> change;
        void Note(const TextEdit::Change& c) {
            if (change) valid = false;
            change = c;
        }
    };
    std::vector<Line> lines_;
    Kept linesKept_;
    std::vector<int> offsets_;
    Kept offsetsKept_;
};

}  // namespace platform::forms
