#include "canvas.h"
#include "platform/draw/font_match.h"

#include <gtest/gtest.h>

namespace {
using namespace drawtest;

TEST(DrawFonts, MulDivRoundsHalvesAwayFromZero) {
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        {10, 96, 72, 13}, {8, 96, 72, 11}, {12, 96, 72, 16}, {16, 96, 72, 21}, {-10, 96, 72, -13},
        {5, 1, 2, 3},     {-5, 1, 2, -3},  {5, 1, -2, -3},   {1, 1, 0, -1},    {0x7FFFFFFF, 4, 1, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected) << c.number;
}

TEST(DrawFonts, FacesResolveToTheirInstalledTwins) {
    struct Case {
        const char* face;
        int weight;
        bool italic;
        const char* family;
        const char* file;
    };
    const Case cases[] = {
        {"Arial", 400, false, "Liberation Sans", "LiberationSans-Regular"},
        {"Arial", 700, false, "Liberation Sans", "LiberationSans-Bold"},
        {"Arial", 400, true, "Liberation Sans", "LiberationSans-Italic"},
        {"Arial", 700, true, "Liberation Sans", "LiberationSans-BoldItalic"},
        {"arial", 400, false, "Liberation Sans", "LiberationSans-Regular"},
        {"Times New Roman", 400, false, "Liberation Serif", "LiberationSerif-Regular"},
        {"Courier New", 400, false, "Liberation Mono", "LiberationMono-Regular"},
        {"DejaVu Sans", 700, false, "DejaVu Sans", "DejaVuSans-Bold"},
    };
    for (const Case& c : cases) {
        const draw::FontMatch match = draw::MatchFontFace(c.face, c.weight, c.italic);
        EXPECT_EQ(match.family, c.family) << c.face;
        EXPECT_NE(match.file.find(c.file), std::string::npos) << c.face << " -> " << match.file;
        EXPECT_FALSE(match.oblique) << c.face;
    }
    // Faces that are not installed still get a usable font.
    for (const char* face : {"Tahoma", "MS Sans Serif", "No Such Face At All", ""})
        EXPECT_TRUE(draw::MatchFontFace(face, 400, false).found()) << face;
}

TEST(DrawFonts, ItalicWithoutAnItalicFileIsSlanted) {
    for (const char* face : {"DejaVu Sans Mono", "DejaVu Serif", "DejaVu Math TeX Gyre", "Liberation Sans"}) {
        const draw::FontMatch upright = draw::MatchFontFace(face, 400, false);
        const draw::FontMatch italic = draw::MatchFontFace(face, 400, true);
        EXPECT_EQ(italic.oblique, italic.file == upright.file) << face;
    }
}

class TextTest : public ::testing::Test {
protected:
    static HFONT MakeFont(int points, int weight = FW_NORMAL, bool italic = false, bool underline = false,
                          DWORD quality = ANTIALIASED_QUALITY, const char* face = "Arial") {
        return CreateFont(-MulDiv(points, 96, 72), 0, 0, 0, weight, italic, underline, FALSE_, DEFAULT_CHARSET,
                          OUT_TT_ONLY_PRECIS, CLIP_DEFAULT_PRECIS, quality, DEFAULT_PITCH, face);
    }
    static constexpr DWORD FALSE_ = 0;

    SIZE Extent(HDC dc, const std::string& text) {
        SIZE size{};
        EXPECT_TRUE(GetTextExtentPoint32(dc, text, &size));
        return size;
    }
};

TEST_F(TextTest, MetricsFollowTheRequestedSize) {
    Canvas canvas(4, 4);
    for (int points : {8, 10, 12, 16, 24}) {
        HFONT font = MakeFont(points);
        ASSERT_TRUE(font);
        HGDIOBJ old = SelectObject(canvas.dc(), font);
        TEXTMETRIC tm{};
        ASSERT_TRUE(GetTextMetrics(canvas.dc(), &tm));
        const int em = MulDiv(points, 96, 72);
        EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
        EXPECT_EQ(tm.tmInternalLeading, tm.tmHeight - em);
        EXPECT_GE(tm.tmInternalLeading, 0);
        // Liberation Sans shares Arial's vertical metrics: ascent 0.905 em, descent 0.212 em.
        EXPECT_NEAR(tm.tmAscent, 0.905 * em, 1.0) << points;
        EXPECT_NEAR(tm.tmDescent, 0.212 * em, 1.0) << points;
        EXPECT_EQ(tm.tmWeight, FW_NORMAL);
        EXPECT_GT(tm.tmAveCharWidth, 0);
        EXPECT_GE(tm.tmMaxCharWidth, tm.tmAveCharWidth);
        SelectObject(canvas.dc(), old);
        DeleteObject(font);
    }
    // A positive height asks for the cell height instead of the em size.
    HFONT cell = CreateFont(20, 0, 0, 0, FW_BOLD, 1, 1, 1, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS, 0,
                            ANTIALIASED_QUALITY, 0, "Arial");
    SelectObject(canvas.dc(), cell);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.dc(), &tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);
    EXPECT_EQ(tm.tmWeight, FW_BOLD);
    EXPECT_EQ(tm.tmItalic, 1);
    EXPECT_EQ(tm.tmUnderlined, 1);
    EXPECT_EQ(tm.tmStruckOut, 1);
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(cell);
}

TEST_F(TextTest, DrawnTextStaysInsideItsMeasuredBox) {
    struct Case {
        const char* text;
        int points;
        int weight;
        bool italic;
        DWORD quality;
    };
    const Case cases[] = {
        {"12:34:56", 10, FW_NORMAL, false, ANTIALIASED_QUALITY},
        {"Wednesday", 12, FW_BOLD, false, ANTIALIASED_QUALITY},
        {"gjpqy|", 10, FW_NORMAL, false, NONANTIALIASED_QUALITY},
        {"ALARM", 16, FW_BOLD, true, ANTIALIASED_QUALITY},
        {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC", 10, FW_NORMAL, false, ANTIALIASED_QUALITY},
    };
    for (const Case& c : cases) {
        Canvas canvas(300, 60);
        HFONT font = MakeFont(c.points, c.weight, c.italic, false, c.quality);
        SelectObject(canvas.dc(), font);
        const SIZE size = Extent(canvas.dc(), c.text);
        SetBkMode(canvas.dc(), TRANSPARENT);
        ASSERT_TRUE(TextOut(canvas.dc(), 20, 10, c.text));
        const RECT ink = canvas.inkBounds(RGB(255, 255, 255));
        ASSERT_FALSE(ink.empty()) << c.text;
        const int slack = c.italic ? 3 : 1;  // a slanted glyph may lean past its advance
        EXPECT_GE(ink.left, 20 - slack) << c.text;
        EXPECT_LE(ink.right, 20 + size.cx + slack) << c.text;
        EXPECT_GE(ink.right, 20 + size.cx - 4) << c.text;  // the measured width is not padded
        EXPECT_GE(ink.top, 10) << c.text;
        EXPECT_LE(ink.bottom, 10 + size.cy) << c.text;

        // In OPAQUE mode the background box is exactly the measured box.
        Canvas opaque(300, 60);
        SelectObject(opaque.dc(), font);
        SetBkColor(opaque.dc(), RGB(0, 255, 0));
        SetTextColor(opaque.dc(), RGB(0, 0, 255));
        TextOut(opaque.dc(), 20, 10, c.text);
        EXPECT_EQ(opaque.colorBounds(RGB(0, 255, 0)), (RECT{20, 10, 20 + size.cx, 10 + size.cy})) << c.text;
        SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
        SelectObject(opaque.dc(), GetStockObject(DEFAULT_GUI_FONT));
        DeleteObject(font);
    }
}

TEST_F(TextTest, WidthsAddUpAndFollowTheFont) {
    Canvas canvas(4, 4);
    HFONT regular = MakeFont(10);
    HFONT bold = MakeFont(10, FW_BOLD);
    SelectObject(canvas.dc(), regular);
    const SIZE whole = Extent(canvas.dc(), "Wednesday");
    EXPECT_EQ(Extent(canvas.dc(), "Wedn").cx + Extent(canvas.dc(), "esday").cx, whole.cx);
    EXPECT_EQ(Extent(canvas.dc(), "").cx, 0);
    // A malformed byte is one replacement character, not a crash or a skipped byte.
    EXPECT_EQ(Extent(canvas.dc(), "\xFF").cx, Extent(canvas.dc(), "\xEF\xBF\xBD").cx);
    SelectObject(canvas.dc(), bold);
    EXPECT_GT(Extent(canvas.dc(), "Wednesday").cx, whole.cx);
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(regular);
    DeleteObject(bold);
    EXPECT_FALSE(GetTextExtentPoint32(HDC(0xBAD), "x", nullptr));
}

TEST_F(TextTest, QualityChoosesBetweenSmoothAndBlackAndWhiteGlyphs) {
    for (DWORD quality : {ANTIALIASED_QUALITY, NONANTIALIASED_QUALITY}) {
        Canvas canvas(120, 30);
        HFONT font = MakeFont(12, FW_NORMAL, false, false, quality);
        SelectObject(canvas.dc(), font);
        SetBkMode(canvas.dc(), TRANSPARENT);
        TextOut(canvas.dc(), 2, 2, "Ruriv 0815");
        const int black = canvas.count(RGB(0, 0, 0));
        const int white = canvas.count(RGB(255, 255, 255));
        const int between = 120 * 30 - black - white;
        if (quality == NONANTIALIASED_QUALITY) EXPECT_EQ(between, 0);
        else EXPECT_GT(between, 20);
        EXPECT_GT(black, 0);
        SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
        DeleteObject(font);
    }
}

TEST_F(TextTest, UnderlineAndStrikeOutDrawLinesAcrossTheText) {
    auto inkCount = [&](bool underline, DWORD strike) {
        Canvas canvas(100, 30);
        HFONT font = CreateFont(-13, 0, 0, 0, FW_NORMAL, 0, underline, strike, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                                0, NONANTIALIASED_QUALITY, 0, "Arial");
        SelectObject(canvas.dc(), font);
        SetBkMode(canvas.dc(), TRANSPARENT);
        TextOut(canvas.dc(), 5, 5, "ab ab");
        SIZE size{};
        GetTextExtentPoint32(canvas.dc(), "ab ab", &size);
        // Both lines run across the whole text, gaps included.
        int lines = 0;
        for (int y = 5; y < 5 + size.cy; ++y) {
            bool full = true;
            for (int x = 5; x < 5 + size.cx; ++x) full = full && canvas.at(x, y) == RGB(0, 0, 0);
            lines += full;
        }
        SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
        DeleteObject(font);
        return lines;
    };
    EXPECT_EQ(inkCount(false, 0), 0);
    EXPECT_GE(inkCount(true, 0), 1);
    EXPECT_GE(inkCount(false, 1), 1);
    EXPECT_GE(inkCount(true, 1), 2);
}

TEST_F(TextTest, DrawTextMeasuresWithTheSameWidthsAsTextOut) {
    Canvas canvas(400, 200);
    HFONT font = MakeFont(10);
    SelectObject(canvas.dc(), font);
    TEXTMETRIC tm{};
    GetTextMetrics(canvas.dc(), &tm);
    const std::string line = "Alarm at 07:30";
    RECT r{10, 10, 10, 10};
    EXPECT_EQ(DrawText(canvas.dc(), line, &r, DT_CALCRECT | DT_NOPREFIX), tm.tmHeight);
    EXPECT_EQ(r, (RECT{10, 10, 10 + Extent(canvas.dc(), line).cx, 10 + tm.tmHeight}));

    // Word wrapping at a narrow width: every line fits, or holds a single word that cannot.
    const std::string text = "Keep your right mouse button pressed for a short while";
    RECT wrapped{0, 0, 80, 0};
    const int height = DrawText(canvas.dc(), text, &wrapped, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
    EXPECT_EQ(height % tm.tmHeight, 0);
    EXPECT_GE(height / tm.tmHeight, 5);
    EXPECT_LE(wrapped.right, 80);
    EXPECT_GE(wrapped.right, Extent(canvas.dc(), "pressed").cx);
    // Too narrow for any word: one word per line, the widest word sets the width.
    RECT narrow{0, 0, 1, 0};
    DrawText(canvas.dc(), "aa bbbb c", &narrow, DT_WORDBREAK | DT_CALCRECT);
    EXPECT_EQ(narrow.bottom, 3 * tm.tmHeight);
    EXPECT_EQ(narrow.right, Extent(canvas.dc(), "bbbb").cx);
    // As an edit box does, a word wider than the width is broken where the line is full.
    const int bb = Extent(canvas.dc(), "bb").cx;
    RECT cut{0, 0, bb, 0};
    DrawText(canvas.dc(), "aa bbbb c", &cut, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    EXPECT_EQ(cut.bottom, 4 * tm.tmHeight);
    EXPECT_EQ(cut.right, bb);
    RECT tight{0, 0, 1, 0};
    DrawText(canvas.dc(), "abc", &tight, DT_WORDBREAK | DT_EDITCONTROL | DT_CALCRECT);
    EXPECT_EQ(tight.bottom, 3 * tm.tmHeight) << "a character a line at the least";
    // Explicit line breaks count whether or not words wrap.
    RECT breaks{0, 0, 300, 0};
    DrawText(canvas.dc(), "one\r\ntwo\nthree", &breaks, DT_CALCRECT);
    EXPECT_EQ(breaks.bottom, 3 * tm.tmHeight);
    RECT empty{5, 5, 50, 50};
    EXPECT_EQ(DrawText(canvas.dc(), "", &empty, DT_CALCRECT | DT_WORDBREAK), 0);
    EXPECT_EQ(empty, (RECT{5, 5, 5, 5}));
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
}

TEST_F(TextTest, DrawTextPrefixesMarkMnemonicsUnlessSwitchedOff) {
    Canvas canvas(300, 40);
    HFONT font = MakeFont(10);
    SelectObject(canvas.dc(), font);
    auto width = [&](const std::string& text, UINT flags) {
        RECT r{0, 0, 0, 0};
        DrawText(canvas.dc(), text, &r, flags | DT_CALCRECT);
        return r.right;
    };
    EXPECT_EQ(width("drag&&drop", 0), Extent(canvas.dc(), "drag&drop").cx);
    EXPECT_EQ(width("drag&&drop", DT_NOPREFIX), Extent(canvas.dc(), "drag&&drop").cx);
    EXPECT_EQ(width("&File", 0), Extent(canvas.dc(), "File").cx);

    // The marked character is underlined: more ink, below the baseline.
    auto ink = [&](const std::string& text) {
        Canvas c(100, 40);
        SelectObject(c.dc(), font);
        SetBkMode(c.dc(), TRANSPARENT);
        RECT r{0, 0, 100, 40};
        DrawText(c.dc(), text, &r, DT_SINGLELINE);
        SelectObject(c.dc(), GetStockObject(DEFAULT_GUI_FONT));
        return c.inkBounds(RGB(255, 255, 255));
    };
    EXPECT_GT(ink("&Exit").bottom, ink("Exit").bottom);
    EXPECT_EQ(ink("E&&xit").bottom, ink("Exit").bottom);
    SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
}

TEST_F(TextTest, DrawTextAlignsAndClipsToItsRectangle) {
    HFONT font = MakeFont(10);
    struct Case {
        UINT flags;
        RECT rect;
        LONG expectedLeft;  // -1: centred in the rectangle
    };
    Canvas probe(4, 4);
    SelectObject(probe.dc(), font);
    const SIZE size = Extent(probe.dc(), "Snooze");
    const Case cases[] = {
        {DT_LEFT | DT_SINGLELINE, {10, 0, 190, 40}, 10},
        {DT_RIGHT | DT_SINGLELINE, {10, 0, 190, 40}, 190 - size.cx},
        {DT_CENTER | DT_SINGLELINE, {10, 0, 190, 40}, 10 + (180 - size.cx) / 2},
    };
    for (const Case& c : cases) {
        Canvas canvas(200, 40);
        SelectObject(canvas.dc(), font);
        SetBkColor(canvas.dc(), RGB(0, 255, 0));
        RECT r = c.rect;
        DrawText(canvas.dc(), "Snooze", &r, c.flags);
        EXPECT_EQ(canvas.inkBounds(RGB(255, 255, 255)).left, c.expectedLeft) << c.flags;
        SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    }
    // Vertically centred on one line.
    Canvas tall(200, 100);
    SelectObject(tall.dc(), font);
    SetBkColor(tall.dc(), RGB(0, 255, 0));
    RECT r{0, 0, 200, 100};
    DrawText(tall.dc(), "Snooze", &r, DT_SINGLELINE | DT_VCENTER);
    EXPECT_EQ(tall.inkBounds(RGB(255, 255, 255)).top, (100 - size.cy) / 2);
    // Clipped to the rectangle unless DT_NOCLIP.
    for (UINT noClip : {0u, DT_NOCLIP}) {
        Canvas canvas(200, 40);
        SelectObject(canvas.dc(), font);
        RECT small{0, 0, size.cx / 2, 40};
        DrawText(canvas.dc(), "Snooze", &small, DT_SINGLELINE | noClip);
        EXPECT_EQ(canvas.inkBounds(RGB(255, 255, 255)).right, noClip ? size.cx : size.cx / 2);
        SelectObject(canvas.dc(), GetStockObject(DEFAULT_GUI_FONT));
    }
    SelectObject(probe.dc(), GetStockObject(DEFAULT_GUI_FONT));
    DeleteObject(font);
}

}  // namespace
