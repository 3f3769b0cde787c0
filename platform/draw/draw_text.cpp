// DrawText: prefix marks, line breaks, word wrapping, alignment and clipping to the rectangle.
#include "platform/draw/detail/gdi_state.h"
#include "platform/draw/raster.h"
#include "platform/draw/text.h"
#include "platform/draw/text_layout.h"

#include <algorithm>
#include <vector>

namespace platform {
using namespace draw;

namespace {

struct PreparedText {
    std::u32string text;
    int mnemonic = -1;  // index in text of the character "&" marked
};

PreparedText StripPrefixes(std::u32string raw) {
    PreparedText out;
    out.text.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == U'&' && i + 1 < raw.size()) {
            ++i;
            if (raw[i] != U'&') out.mnemonic = static_cast<int>(out.text.size());
        } else if (raw[i] == U'&') {
            continue;  // a lone "&" at the end shows nothing
        }
        out.text.push_back(raw[i]);
    }
    return out;
}

struct Line {
    std::size_t start = 0;
    std::size_t length = 0;
    int width = 0;
};

bool IsBreak(char32_t c) { return c == U'\r' || c == U'\n'; }

// Greedy wrapping of one paragraph [begin, end) at spaces; a word wider than the width keeps a
// line of its own, or with breakWords is cut where the line is full (one character at least).
void WrapParagraph(FontInstance& font, const std::u32string& text, std::size_t begin, std::size_t end, int maxWidth,
                   bool wrap, bool breakWords, std::vector<Line>& lines) {
    auto width = [&](std::size_t from, std::size_t to) {
        return MeasureRun(font, std::u32string_view(text).substr(from, to - from));
    };
    auto trimmedEnd = [&](std::size_t from, std::size_t to) {
        while (to > from && text[to - 1] == U' ') --to;
        return to;
    };
    if (!wrap || begin == end) {
        lines.push_back(Line{begin, end - begin, width(begin, end)});
        return;
    }
    std::size_t start = begin;
    while (start < end) {
        int used = 0;
        std::size_t i = start;
        std::size_t lastSpace = end;
        for (; i < end; ++i) {
            const int advance = font.glyph(text[i]).advance;
            if (text[i] == U' ') lastSpace = i;
            else if (used + advance > maxWidth) break;
            used += advance;
        }
        std::size_t stop = i;
        std::size_t next = i;
        if (i < end) {
            if (lastSpace != end && lastSpace >= start) {
                stop = lastSpace;
                next = lastSpace + 1;
            } else if (breakWords) {
                stop = next = std::max(i, start + 1);
            } else {
                while (next < end && text[next] != U' ') ++next;
                stop = next;
            }
            while (next < end && text[next] == U' ') ++next;
        }
        stop = trimmedEnd(start, stop);
        lines.push_back(Line{start, stop - start, width(start, stop)});
        start = next;
    }
}

std::vector<Line> LayOut(FontInstance& font, const std::u32string& text, int maxWidth, UINT format) {
    std::vector<Line> lines;
    if (text.empty()) return lines;
    const bool single = format & DT_SINGLELINE;
    const bool wrap = (format & DT_WORDBREAK) && !single;
    std::size_t begin = 0;
    while (true) {
        std::size_t end = begin;
        while (end < text.size() && !IsBreak(text[end])) ++end;
        WrapParagraph(font, text, begin, end, maxWidth, wrap, (format & DT_EDITCONTROL) != 0, lines);
        if (end == text.size() || single) break;
        begin = end + ((text[end] == U'\r' && end + 1 < text.size() && text[end + 1] == U'\n') ? 2 : 1);
    }
    return lines;
}

}  // namespace

int DrawText(HDC hdc, std::string_view utf8, RECT* rect, UINT format) {
    auto dc = FindDc(hdc);
    FontInstance* font = dc ? DcFont(*dc) : nullptr;
    if (!font || !rect) return 0;
    std::u32string raw = DecodeUtf8(utf8);
    if (format & DT_SINGLELINE) std::erase_if(raw, IsBreak);
    const PreparedText prepared = (format & DT_NOPREFIX) ? PreparedText{std::move(raw), -1} : StripPrefixes(std::move(raw));
    const std::vector<Line> lines = LayOut(*font, prepared.text, rect->width(), format);
    const int lineHeight = font->metrics().height();
    const int textHeight = lineHeight * static_cast<int>(lines.size());

    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& line : lines) widest = std::max(widest, line.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + textHeight;
        return textHeight;
    }

    int top = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) top = rect->top + (rect->height() - textHeight) / 2;
        else if (format & DT_BOTTOM) top = rect->bottom - textHeight;
    }
    const RECT clip = (format & DT_NOCLIP) ? dc->clip : IntersectRects(dc->clip, dc->toTarget(*rect));
    const FontRequest& request = DcFontRequest(*dc);
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const Line& line = lines[n];
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (rect->width() - line.width) / 2;
        else if (format & DT_RIGHT) x = rect->right - line.width;
        const POINT at = dc->toTarget(POINT{x, top + static_cast<int>(n) * lineHeight});
        if (dc->bkMode == OPAQUE) {
            const RECT box{at.x, at.y, at.x + line.width, at.y + lineHeight};
            FillArea(dc->drawInto(box), clip, box, OpaquePixel(dc->bkColor));
        }
        const int mnemonic = prepared.mnemonic - static_cast<int>(line.start);
        RunStyle style{OpaquePixel(dc->textColor), request.underline, request.strikeOut,
                       mnemonic >= 0 && mnemonic < static_cast<int>(line.length) ? mnemonic : -1};
        DrawRun(dc->drawInto(clip), clip, at.x, at.y, *font,
                std::u32string_view(prepared.text).substr(line.start, line.length), style);
    }
    return (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? top + textHeight - rect->top : textHeight;
}

}  // namespace platform
