// Rich text as the rich text box shows it, and the file form it is read from.
//
// The file form is a small subset of RTF, written as UTF-8:
//
//   {\rtf1{\colortbl;\red0\green128\blue0;\red200\green0\blue0;}
//   \qc\b\fs28 Hall of Fame\b0\fs16\par
//   \pard Thanks to \i everyone\i0  who tested \cf2 early builds\cf0 .\par}
//
//   {  }             a group: character and paragraph formatting inside it ends with it
//   \b  \b0          bold on and off           \i  \i0     italic
//   \ul \ul0 \ulnone underline                 \fsN        size in half points (\fs20: 10 points)
//   \cfN             colour N of the colour table (\cf0: the box's own colour)
//   \plain           character formatting back to the box's own
//   \par             ends a paragraph          \line       a line break inside it
//   \ql \qc \qr      left, centred, right      \pard       paragraph formatting back to left
//   \tab             a tab                     \\ \{ \}    the characters themselves
//   \'hh             a character of the Windows Latin-1 code page, by its byte
//   \uN              a Unicode character (the next character is its fallback and is skipped)
//   {\colortbl ;\redR\greenG\blueB; ...}       the colour table; entry 0 (empty) is "auto"
//
// Line breaks in the file are ignored, as RTF ignores them. Every other control word is skipped,
// and so is every group that starts with \* or with \fonttbl, \stylesheet, \info or \pict. Text
// that does not start with "{\rtf" is taken as plain text, one paragraph per line. Malformed input
// (unbalanced braces, truncated escapes, huge numbers, bytes that are not UTF-8) is read as far as
// it makes sense and never fails.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base.h"

namespace platform::forms {

// Paragraph alignments (the classic SelAlignment values).
constexpr int rtfLeft = 0;
constexpr int rtfRight = 1;
constexpr int rtfCenter = 2;

struct RichRun {
    std::string text;  // UTF-8; "\n" is a line break, "\t" a tab
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hasColor = false;  // false: the box's ForeColor
    COLORREF color = 0;
    double size = 0;  // points; 0: the box's font size
    bool SameLook(const RichRun& o) const {
        return bold == o.bold && italic == o.italic && underline == o.underline && hasColor == o.hasColor &&
               (!hasColor || color == o.color) && size == o.size;
    }
};

struct RichParagraph {
    std::vector<RichRun> runs;
    int alignment = rtfLeft;
};

struct RichDocument {
    std::vector<RichParagraph> paragraphs;
    // The text without formatting, paragraphs joined by "\n".
    std::string PlainText() const;
};

RichDocument ParseRichText(std::string_view source);
RichDocument PlainRichText(std::string_view text);

}  // namespace platform::forms
