#include "platform/draw/text_layout.h"

#include "platform/draw/raster.h"
#include "platform/draw/run_memo.h"
#include "platform/utf8.h"

#include <algorithm>

namespace platform::draw {

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Utf8Char c = DecodeUtf8Char(text, i);
        out.push_back(c.length ? c.codePoint : U'\uFFFD');
        i += c.length ? c.length : 1;
    }
    return out;
}

int MeasureRun(FontInstance& font, std::u32string_view run) {
    int width = 0;
    for (char32_t cp : run) width += font.glyph(cp).advance;
    return width;
}

namespace {

// Walks what a run puts on a surface: each glyph at its place, then its lines.
template <class OnGlyph, class OnLine>
void WalkRun(FontInstance& font, std::u32string_view run, int x, int top, const RunStyle& style, OnGlyph onGlyph,
             OnLine onLine) {
    const FontMetrics& m = font.metrics();
    const int baseline = top + m.ascent;
    int penX = x;
    int mnemonicLeft = 0;
    int mnemonicRight = 0;
    for (std::size_t i = 0; i < run.size(); ++i) {
        const Glyph& g = font.glyph(run[i]);
        if (static_cast<int>(i) == style.mnemonic) {
            mnemonicLeft = penX;
            mnemonicRight = penX + g.advance;
        }
        onGlyph(g, penX + g.left, baseline - g.top);
        penX += g.advance;
    }
    auto line = [&](int left, int right, int y, int thickness) { onLine(RECT{left, y, right, y + thickness}); };
    if (style.underline) line(x, penX, baseline + m.underlineOffset, m.underlineThickness);
    if (style.strikeOut) line(x, penX, baseline - m.strikeoutOffset, m.strikeoutThickness);
    if (style.mnemonic >= 0 && mnemonicRight > mnemonicLeft)
        line(mnemonicLeft, mnemonicRight, baseline + m.underlineOffset, m.underlineThickness);
}

RunMemo& Memo() {
    static thread_local RunMemo memo;
    return memo;
}

}  // namespace

void DrawRun(Surface& surface, RECT clip, int x, int top, FontInstance& font, std::u32string_view run,
             const RunStyle& style) {
    const RECT area = ClipToSurface(surface, clip);
    if (area.empty()) return;
    // What the run covers, cut to the clip: all it can change.
    RECT box{};
    WalkRun(
        font, run, x, top, style,
        [&](const Glyph& g, int gx, int gy) {
            box = UnionRects(box, IntersectRects(RECT{gx, gy, gx + g.width, gy + g.rows}, area));
        },
        [&](const RECT& line) { box = UnionRects(box, IntersectRects(line, area)); });
    if (box.empty()) return;
    RunMemoKey key{font.serial(), std::u32string(run), style.color, style.underline, style.strikeOut, style.mnemonic,
                   POINT{x - box.left, top - box.top}, SIZE{box.width(), box.height()}};
    if (Memo().Replay(key, surface, box)) return;
    Memo().Begin(std::move(key), surface, box);
    const Pixel color = style.color;
    WalkRun(
        font, run, x, top, style,
        [&](const Glyph& g, int gx, int gy) {
            const int x0 = std::max(gx, area.left);
            const int x1 = std::min(gx + g.width, area.right);
            const int y0 = std::max(gy, area.top);
            const int y1 = std::min(gy + g.rows, area.bottom);
            for (int y = y0; y < y1; ++y) {
                const std::uint8_t* coverage = g.coverage.data() + static_cast<std::size_t>(y - gy) * g.width;
                Pixel* row = surface.row(y);
                for (int px = x0; px < x1; ++px)
                    if (const std::uint8_t c = coverage[px - gx]) CoverPixel(row[px], color, c);
            }
        },
        [&](const RECT& line) { FillArea(surface, area, line, color); });
    Memo().End(surface, box);
}

}  // namespace platform::draw
