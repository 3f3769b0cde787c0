#include "canvas.h"

#include <gtest/gtest.h>

#include <set>

namespace {
using namespace drawtest;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

TEST(DrawPaint, FillRectExcludesRightAndBottomEdges) {
    Canvas canvas(10, 10);
    HBRUSH red = CreateSolidBrush(kRed);
    RECT r{2, 3, 5, 7};
    EXPECT_EQ(FillRect(canvas.dc(), &r, red), 1);
    EXPECT_EQ(canvas.inkBounds(kWhite), r);
    EXPECT_EQ(canvas.count(kRed), 12);
    DeleteObject(red);
}

TEST(DrawPaint, RectangleOutlinesWithThePenAndFillsWithTheBrush) {
    struct Case {
        int penWidth;
        int penStyle;
        RECT expectedInk;
        int outlinePixels;
    };
    const Case cases[] = {
        {1, PS_SOLID, {2, 2, 8, 6}, 16},  // a 6 x 4 ring
        {3, PS_SOLID, {1, 1, 9, 7}, 48 - 0},
        {1, PS_NULL, {2, 2, 8, 6}, 0},
    };
    for (const Case& c : cases) {
        Canvas canvas(10, 8);
        HPEN pen = CreatePen(c.penStyle, c.penWidth, kBlue);
        HBRUSH brush = CreateSolidBrush(kRed);
        HGDIOBJ oldPen = SelectObject(canvas.dc(), pen);
        HGDIOBJ oldBrush = SelectObject(canvas.dc(), brush);
        EXPECT_TRUE(Rectangle(canvas.dc(), 2, 2, 8, 6));
        EXPECT_EQ(canvas.inkBounds(kWhite), c.expectedInk) << c.penWidth;
        EXPECT_EQ(canvas.count(kBlue), c.outlinePixels) << c.penWidth;
        EXPECT_EQ(canvas.at(4, 4), c.penWidth == 3 ? kBlue : kRed);
        SelectObject(canvas.dc(), oldPen);
        SelectObject(canvas.dc(), oldBrush);
        DeleteObject(pen);
        DeleteObject(brush);
    }
}

TEST(DrawPaint, LineToStopsBeforeItsEndPoint) {
    Canvas canvas(10, 10);
    POINT previous{-1, -1};
    MoveToEx(canvas.dc(), 1, 1, &previous);
    EXPECT_EQ(previous, (POINT{0, 0}));
    EXPECT_TRUE(LineTo(canvas.dc(), 6, 1));
    EXPECT_EQ(canvas.inkBounds(kWhite), (RECT{1, 1, 6, 2}));
    LineTo(canvas.dc(), 6, 6);  // continues from the current position
    EXPECT_EQ(canvas.inkBounds(kWhite), (RECT{1, 1, 7, 6}));
    Canvas diagonal(10, 10);
    MoveToEx(diagonal.dc(), 0, 0, nullptr);
    LineTo(diagonal.dc(), 5, 5);
    EXPECT_EQ(diagonal.count(RGB(0, 0, 0)), 5);
    EXPECT_EQ(diagonal.at(4, 4), RGB(0, 0, 0));
    EXPECT_EQ(diagonal.at(5, 5), kWhite);
}

TEST(DrawPaint, GradientFillRunsFromFirstToSecondColour) {
    for (ULONG mode : {GRADIENT_FILL_RECT_H, GRADIENT_FILL_RECT_V}) {
        Canvas canvas(64, 64);
        TRIVERTEX v[2];
        v[0] = TRIVERTEX{0, 0, 0x0000, 0x0000, 0xFF00, 0};
        v[1] = TRIVERTEX{64, 64, 0xFF00, 0x0000, 0x0000, 0};
        GRADIENT_RECT mesh{0, 1};
        ASSERT_TRUE(GradientFill(canvas.dc(), v, 2, &mesh, 1, mode));
        EXPECT_EQ(canvas.at(0, 0), kBlue);
        const bool horizontal = mode == GRADIENT_FILL_RECT_H;
        const COLORREF last = horizontal ? canvas.at(63, 0) : canvas.at(0, 63);
        EXPECT_GE(GetRValue(last), 250);
        EXPECT_LE(GetBValue(last), 5);
        // Every step along the gradient is a new colour; across it nothing changes.
        std::set<COLORREF> along;
        for (int i = 0; i < 64; ++i) along.insert(horizontal ? canvas.at(i, 10) : canvas.at(10, i));
        EXPECT_EQ(along.size(), 64u);
        EXPECT_EQ(horizontal ? canvas.at(20, 0) : canvas.at(0, 20), horizontal ? canvas.at(20, 63) : canvas.at(63, 20));
    }
    Canvas canvas(4, 4);
    TRIVERTEX v[2];
    GRADIENT_RECT badMesh{0, 5};
    EXPECT_FALSE(GradientFill(canvas.dc(), v, 2, &badMesh, 1, GRADIENT_FILL_RECT_H));
}

// A 4 x 2 source: red, blue, a key colour, white in the first row; black in the second.
class BlitTest : public ::testing::Test {
protected:
    static constexpr COLORREF kKey = RGB(0x8C, 0x00, 0xEC);
    BlitTest() : source(4, 2, RGB(0, 0, 0)) {
        SetPixel(source.dc(), 0, 0, kRed);
        SetPixel(source.dc(), 1, 0, kBlue);
        SetPixel(source.dc(), 2, 0, kKey);
        SetPixel(source.dc(), 3, 0, kWhite);
    }
    Canvas source;
};

TEST_F(BlitTest, BitBltCopiesAndRefusesWhatItCannotDo) {
    Canvas target(6, 4, RGB(9, 9, 9));
    EXPECT_TRUE(BitBlt(target.dc(), 1, 1, 4, 2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_EQ(target.at(1, 1), kRed);
    EXPECT_EQ(target.at(3, 1), kKey);
    EXPECT_EQ(target.at(4, 2), RGB(0, 0, 0));
    EXPECT_EQ(target.at(0, 0), RGB(9, 9, 9));
    EXPECT_EQ(target.at(5, 3), RGB(9, 9, 9));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 0x00EE0086));  // only SRCCOPY
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 0, 2, source.dc(), 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(target.dc(), 0, 0, 2, 2, HDC(0xBAD), 0, 0, SRCCOPY));
    // Source pixels beyond the source surface leave the destination alone.
    Canvas partial(4, 4, RGB(9, 9, 9));
    EXPECT_TRUE(BitBlt(partial.dc(), 0, 0, 4, 4, source.dc(), 2, 0, SRCCOPY));
    EXPECT_EQ(partial.at(0, 0), kKey);
    EXPECT_EQ(partial.at(2, 0), RGB(9, 9, 9));
    EXPECT_EQ(partial.at(0, 2), RGB(9, 9, 9));
}

TEST_F(BlitTest, OverlappingCopyWithinOneSurfaceReadsBeforeWriting) {
    Canvas canvas(6, 1, RGB(0, 0, 0));
    for (int x = 0; x < 6; ++x) SetPixel(canvas.dc(), x, 0, RGB(x * 10, 0, 0));
    EXPECT_TRUE(BitBlt(canvas.dc(), 1, 0, 5, 1, canvas.dc(), 0, 0, SRCCOPY));
    for (int x = 1; x < 6; ++x) EXPECT_EQ(canvas.at(x, 0), RGB((x - 1) * 10, 0, 0)) << x;
}

TEST_F(BlitTest, StretchBltScalesByNearestPixel) {
    Canvas target(8, 4, RGB(9, 9, 9));
    EXPECT_TRUE(StretchBlt(target.dc(), 0, 0, 8, 4, source.dc(), 0, 0, 4, 2, SRCCOPY));
    const COLORREF row0[] = {kRed, kRed, kBlue, kBlue, kKey, kKey, kWhite, kWhite};
    for (int x = 0; x < 8; ++x) {
        EXPECT_EQ(target.at(x, 0), row0[x]) << x;
        EXPECT_EQ(target.at(x, 1), row0[x]) << x;
        EXPECT_EQ(target.at(x, 3), RGB(0, 0, 0)) << x;
    }
    Canvas shrunk(2, 1, RGB(9, 9, 9));
    EXPECT_TRUE(StretchBlt(shrunk.dc(), 0, 0, 2, 1, source.dc(), 0, 0, 4, 1, SRCCOPY));
    EXPECT_EQ(shrunk.at(0, 0), kBlue);
    EXPECT_EQ(shrunk.at(1, 0), kWhite);
}

TEST_F(BlitTest, TransparentBltLeavesOutTheKeyColour) {
    Canvas target(4, 2, RGB(9, 9, 9));
    EXPECT_TRUE(TransparentBlt(target.dc(), 0, 0, 4, 2, source.dc(), 0, 0, 4, 2, kKey));
    EXPECT_EQ(target.at(0, 0), kRed);
    EXPECT_EQ(target.at(2, 0), RGB(9, 9, 9));
    EXPECT_EQ(target.at(3, 0), kWhite);
    EXPECT_EQ(target.at(2, 1), RGB(0, 0, 0));
    // Stretched, the key still drops out.
    Canvas wide(8, 1, RGB(9, 9, 9));
    EXPECT_TRUE(TransparentBlt(wide.dc(), 0, 0, 8, 1, source.dc(), 0, 0, 4, 1, kKey));
    EXPECT_EQ(wide.count(RGB(9, 9, 9)), 2);
}

TEST_F(BlitTest, AlphaBlendMixesByConstantAndPixelAlpha) {
    struct Case {
        BYTE constant;
        BYTE format;
        Pixel sourcePixel;  // premultiplied when format is AC_SRC_ALPHA
        COLORREF expected;  // over a white destination
    };
    const Case cases[] = {
        {255, AC_SRC_OVER, 0xFFFF0000u, RGB(255, 0, 0)},
        {128, AC_SRC_OVER, 0xFFFF0000u, RGB(255, 127, 127)},
        {0, AC_SRC_OVER, 0xFFFF0000u, RGB(255, 255, 255)},
        {255, AC_SRC_ALPHA, 0x80800000u, RGB(255, 127, 127)},  // half-transparent red
        {255, AC_SRC_ALPHA, 0x00000000u, RGB(255, 255, 255)},  // fully transparent
        {128, AC_SRC_ALPHA, 0xFF0000FFu, RGB(127, 127, 255)},
    };
    for (const Case& c : cases) {
        Canvas src(1, 1);
        src.surface().at(0, 0) = c.sourcePixel;
        Canvas target(1, 1, kWhite);
        ASSERT_TRUE(AlphaBlend(target.dc(), 0, 0, 1, 1, src.dc(), 0, 0, 1, 1,
                               BLENDFUNCTION{AC_SRC_OVER, 0, c.constant, c.format}));
        const COLORREF got = target.at(0, 0);
        EXPECT_NEAR(GetRValue(got), GetRValue(c.expected), 1) << int(c.constant) << " " << std::hex << c.sourcePixel;
        EXPECT_NEAR(GetGValue(got), GetGValue(c.expected), 1) << int(c.constant) << " " << std::hex << c.sourcePixel;
        EXPECT_NEAR(GetBValue(got), GetBValue(c.expected), 1) << int(c.constant) << " " << std::hex << c.sourcePixel;
    }
    Canvas target(1, 1);
    EXPECT_FALSE(AlphaBlend(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, 1, 1, BLENDFUNCTION{1, 0, 255, 0}));
}

// A DC knows where its drawing changed pixels: copying the pixels that are there already changes
// none, so a window that paints by copying a kept image brings nothing to the screen.
TEST(DrawBlit, ADcKnowsWhereItsDrawingChangedPixels) {
    Canvas from(20, 10), to(20, 10);
    EXPECT_TRUE(ChangedArea(to.dc()).empty());
    EXPECT_EQ(BitBlt(to.dc(), 0, 0, 20, 10, from.dc(), 0, 0, SRCCOPY), 1);
    EXPECT_TRUE(ChangedArea(to.dc()).empty());
    from.surface().fill(RECT{3, 4, 6, 6}, OpaquePixel(kRed));
    BitBlt(to.dc(), 0, 0, 20, 10, from.dc(), 0, 0, SRCCOPY);
    EXPECT_EQ(ChangedArea(to.dc()), (RECT{0, 4, 20, 6}));  // the rows that differed
    EXPECT_EQ(to.at(4, 5), kRed);
    EXPECT_EQ(to.at(4, 3), kWhite);
    // Other drawing counts where it draws, as far as the clip lets it.
    HBRUSH blue = CreateSolidBrush(kBlue);
    const RECT beyond{15, 8, 30, 12};
    FillRect(to.dc(), &beyond, blue);
    EXPECT_EQ(ChangedArea(to.dc()), (RECT{0, 4, 20, 10}));
    DeleteObject(blue);
}

}  // namespace
