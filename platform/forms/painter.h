// What the controls draw their look with: a device context seen through an origin and a clip, with
// the few primitives of the flat classic style. Colours may be system colours; they are resolved here.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/base.h"
#include "platform/forms/font.h"

namespace platform::forms {

class Picture;

// How Text() places its text in the rectangle.
constexpr unsigned kTextLeft = 0;
constexpr unsigned kTextCenter = 1;
constexpr unsigned kTextRight = 2;
constexpr unsigned kTextVCenter = 4;    // single line, centred vertically
constexpr unsigned kTextWrap = 8;       // break lines at blanks to fit the width
constexpr unsigned kTextMnemonic = 16;  // "&x" underlines x, "&&" is "&"
constexpr unsigned kTextNoClip = 32;

class Painter {
public:
    // Paints through hdc; (0, 0) of the painter is `origin` of the DC.
    explicit Painter(HDC hdc, POINT origin = {0, 0}, RECT clip = {-100000, -100000, 100000, 100000});
    HDC Dc() const { return hdc_; }

    // Moves the origin to r's top-left and narrows the clip to r, for the scope's life.
    class Scope {
    public:
        Scope(Painter& painter, const RECT& r);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Painter& painter_;
        POINT savedOrigin_;
        RECT savedClip_;
        HDC savedDc_;
        RECT savedDcClip_;
        bool clipped_ = false;
    };

    void FillRect(const RECT& r, COLORREF color);
    void FrameRect(const RECT& r, COLORREF color);
    void Line(int x1, int y1, int x2, int y2, COLORREF color, int width = 1);
    // The flat classic edges: a one-pixel frame in the shadow colour, or the sunken well of an
    // input box (shadow above and left, highlight below and right).
    void SunkenEdge(const RECT& r);
    void RaisedEdge(const RECT& r);
    void FocusRect(const RECT& r, COLORREF color);
    void Text(const RECT& r, const std::string& text, const FontDescription& font, COLORREF color, unsigned flags);
    void DrawPicture(const Picture& picture, int x, int y);
    void FillTriangle(POINT a, POINT b, POINT c, COLORREF color);
    void Ellipse(const RECT& r, COLORREF fill, COLORREF frame);

private:
    RECT ToDevice(const RECT& r) const;
    HDC hdc_;
    POINT origin_;
    RECT clip_;  // device coordinates
};

// Text measuring, also outside a paint (auto-sizing labels, text box carets).
SIZE MeasureText(const FontDescription& font, const std::string& text, unsigned flags = 0, int wrapWidth = 0);
int LineHeight(const FontDescription& font);
// The pixel offsets at which each character of a line starts, and its end (size + 1 entries).
std::vector<int> CharacterOffsets(const FontDescription& font, const std::string& line);
// The width of one character (its UTF-8 bytes) in a font, as CharacterOffsets measures it.
class CharacterWidth {
public:
    explicit CharacterWidth(const FontDescription& font);
    int operator()(std::string_view character) const;

private:
    HDC dc_;
};
// "&File" as shown ("File") and the byte position of its underlined character (-1: none).
std::string StripMnemonic(const std::string& caption, int* underlined = nullptr);

}  // namespace platform::forms
