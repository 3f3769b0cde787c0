#include "platform/draw/text.h"

#include "platform/draw/detail/gdi_state.h"
#include "platform/draw/raster.h"
#include "platform/draw/text_layout.h"

#include <cstdlib>
#include <limits>

namespace platform {
using namespace draw;

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const long long product = static_cast<long long>(number) * numerator;
    const long long divisor = std::llabs(static_cast<long long>(denominator));
    const long long quotient = (std::llabs(product) + divisor / 2) / divisor;  // halves away from zero
    const long long result = ((product < 0) != (denominator < 0)) ? -quotient : quotient;
    if (result > std::numeric_limits<int>::max() || result < std::numeric_limits<int>::min()) return -1;
    return static_cast<int>(result);
}

HFONT CreateFont(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                 DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                 DWORD quality, DWORD pitchAndFamily, const std::string& face) {
    FontRequest request{height,       width,         escapement, orientation, weight == FW_DONTCARE ? FW_NORMAL : weight,
                        italic != 0,  underline != 0, strikeOut != 0, charSet,  outPrecision,
                        clipPrecision, quality,       pitchAndFamily, face};
    const FontKey key{MatchFontFace(face, request.weight, request.italic), height, quality != NONANTIALIASED_QUALITY};
    auto instance = FontInstance::For(key);
    if (!instance) return HFONT();
    return AddObject(FontData{std::move(request), std::move(instance)});
}

BOOL TextOut(HDC hdc, int x, int y, std::string_view text) {
    auto dc = FindDc(hdc);
    FontInstance* font = dc ? DcFont(*dc) : nullptr;
    if (!font) return kFalse;
    const std::u32string run = DecodeUtf8(text);
    const POINT at = dc->toTarget(POINT{x, y});
    if (dc->bkMode == OPAQUE) {
        const RECT box{at.x, at.y, at.x + MeasureRun(*font, run), at.y + font->metrics().height()};
        FillArea(dc->drawInto(box), dc->clip, box, OpaquePixel(dc->bkColor));
    }
    const FontRequest& request = DcFontRequest(*dc);
    DrawRun(dc->drawInto(dc->clip), dc->clip, at.x, at.y, *font, run,
            RunStyle{OpaquePixel(dc->textColor), request.underline, request.strikeOut, -1});
    return kTrue;
}

BOOL GetTextExtentPoint32(HDC hdc, std::string_view text, SIZE* size) {
    auto dc = FindDc(hdc);
    FontInstance* font = dc ? DcFont(*dc) : nullptr;
    if (!font || !size) return kFalse;
    *size = SIZE{MeasureRun(*font, DecodeUtf8(text)), font->metrics().height()};
    return kTrue;
}

BOOL GetTextMetrics(HDC hdc, TEXTMETRIC* tm) {
    auto dc = FindDc(hdc);
    FontInstance* font = dc ? DcFont(*dc) : nullptr;
    if (!font || !tm) return kFalse;
    const FontMetrics& m = font->metrics();
    const FontRequest& request = DcFontRequest(*dc);
    *tm = TEXTMETRIC{};
    tm->tmHeight = m.height();
    tm->tmAscent = m.ascent;
    tm->tmDescent = m.descent;
    tm->tmInternalLeading = m.height() - m.em;
    tm->tmExternalLeading = m.externalLeading;
    tm->tmAveCharWidth = m.aveCharWidth;
    tm->tmMaxCharWidth = m.maxCharWidth;
    tm->tmWeight = request.weight;
    tm->tmItalic = request.italic ? 1 : 0;
    tm->tmUnderlined = request.underline ? 1 : 0;
    tm->tmStruckOut = request.strikeOut ? 1 : 0;
    tm->tmPitchAndFamily = 0x07;  // variable pitch, vector, outline font
    tm->tmCharSet = static_cast<BYTE>(request.charSet == DEFAULT_CHARSET ? ANSI_CHARSET : request.charSet);
    return kTrue;
}

}  // namespace platform
