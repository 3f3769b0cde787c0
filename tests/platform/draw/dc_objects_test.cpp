#include "canvas.h"
#include "platform/draw/hooks.h"
#include "tests/support/test_services.h"

#include <gtest/gtest.h>

namespace {
using namespace drawtest;

TEST(DrawHandles, StaleAndUnknownHandlesAreRefused) {
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(brush);
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));  // already gone
    Canvas canvas(4, 4);
    RECT all{0, 0, 4, 4};
    EXPECT_EQ(FillRect(canvas.dc(), &all, brush), 0);
    EXPECT_FALSE(SelectObject(canvas.dc(), brush));
    EXPECT_FALSE(SelectObject(canvas.dc(), HGDIOBJ(0x7FFFFFFF)));
    EXPECT_FALSE(DeleteDC(HDC(0x12345)));
    EXPECT_EQ(GetPixel(HDC(0x12345), 0, 0), CLR_INVALID);
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255));

    // A slot reused by a new object does not revive the old id.
    HBRUSH reused = CreateSolidBrush(RGB(9, 9, 9));
    EXPECT_NE(reused, brush);
    EXPECT_EQ(FillRect(canvas.dc(), &all, brush), 0);
    DeleteObject(reused);
}

TEST(DrawHandles, ObjectsOfAnotherContextAreRefused) {
    testsupport::ServiceScope services;
    int& context = testsupport::UseScriptedDrawingHost().context;
    Canvas canvas(2, 2);
    HBRUSH programBrush = CreateSolidBrush(RGB(255, 0, 0));
    context = 1;  // now the shell's context
    RECT all{0, 0, 2, 2};
    EXPECT_EQ(FillRect(canvas.dc(), &all, programBrush), 0);  // the DC is foreign too
    HDC shellDc = CreateCompatibleDC(HDC());
    EXPECT_FALSE(SelectObject(shellDc, programBrush));
    EXPECT_FALSE(DeleteObject(programBrush));
    // Stock objects serve every context.
    EXPECT_TRUE(SelectObject(shellDc, GetStockObject(BLACK_BRUSH)));
    DeleteDC(shellDc);
    context = 0;
    EXPECT_EQ(FillRect(canvas.dc(), &all, programBrush), 1);
    EXPECT_EQ(canvas.at(1, 1), RGB(255, 0, 0));
    DeleteObject(programBrush);
}

TEST(DrawHandles, StockObjectsSurviveDeletion) {
    HGDIOBJ white = GetStockObject(WHITE_BRUSH);
    ASSERT_TRUE(white);
    EXPECT_FALSE(DeleteObject(white));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), white);
    Canvas canvas(2, 2, RGB(0, 0, 0));
    RECT all{0, 0, 2, 2};
    EXPECT_EQ(FillRect(canvas.dc(), &all, white), 1);
    EXPECT_EQ(canvas.at(0, 0), RGB(255, 255, 255));
}

TEST(DrawHandles, BitmapSitsInOneMemoryDcAtATime) {
    HDC first = CreateCompatibleDC(HDC());
    HDC second = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(first, 3, 3);
    HGDIOBJ original = SelectObject(first, bitmap);
    EXPECT_TRUE(original);
    EXPECT_FALSE(SelectObject(second, bitmap));
    EXPECT_EQ(SelectObject(first, original), bitmap);  // released
    EXPECT_TRUE(SelectObject(second, bitmap));
    // A window DC takes no bitmap.
    auto surface = std::make_shared<Surface>(5, 5);
    HDC window = CreateSurfaceDC(surface, POINT{0, 0}, surface->bounds());
    HBITMAP other = CreateCompatibleBitmap(first, 2, 2);
    EXPECT_FALSE(SelectObject(window, other));
    for (HDC dc : {first, second, window}) DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(other);
}

TEST(DrawHandles, DeletingASelectedObjectFreesItOnceTheDcLetsGo) {
    HDC dc = CreateCompatibleDC(HDC());
    const std::size_t before = LiveGdiObjectCount();
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 4, 4);
    SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(RGB(0, 255, 0));
    SelectObject(dc, brush);
    auto surface = SurfaceOfBitmap(bitmap);
    std::weak_ptr<Surface> watch = surface;
    surface.reset();

    EXPECT_TRUE(DeleteObject(bitmap));  // the handle goes at once...
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(SurfaceOfBitmap(bitmap));
    EXPECT_EQ(LiveGdiObjectCount(), before);
    EXPECT_TRUE(Rectangle(dc, 0, 0, 4, 4));  // ...while the DC still draws into it
    ASSERT_FALSE(watch.expired());
    EXPECT_EQ(PixelColor(watch.lock()->at(2, 2)), RGB(0, 255, 0));
    DeleteDC(dc);
    EXPECT_TRUE(watch.expired());  // and nothing is left behind
}

TEST(DrawDeviceContext, DeviceCapsAndPixels) {
    testsupport::ServiceScope services;
    testsupport::UseScriptedDrawingHost().screen = SIZE{1024, 768};
    Canvas canvas(3, 2);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), HORZRES), 1024);
    EXPECT_EQ(GetDeviceCaps(canvas.dc(), VERTRES), 768);

    EXPECT_EQ(SetPixel(canvas.dc(), 2, 1, RGB(10, 20, 30)), RGB(10, 20, 30));
    EXPECT_EQ(GetPixel(canvas.dc(), 2, 1), RGB(10, 20, 30));
    EXPECT_EQ(canvas.surface().at(2, 1), 0xFF0A141Eu);  // 0xAARRGGBB
    for (POINT outside : {POINT{3, 0}, POINT{0, 2}, POINT{-1, 0}}) {
        EXPECT_EQ(GetPixel(canvas.dc(), outside.x, outside.y), CLR_INVALID);
        EXPECT_EQ(SetPixel(canvas.dc(), outside.x, outside.y, 0), CLR_INVALID);
    }
}

TEST(DrawDeviceContext, WindowDcDrawsAtItsOriginInsideItsClip) {
    auto topLevel = std::make_shared<Surface>(20, 10, OpaquePixel(RGB(0, 0, 0)));
    // A child at (5, 2) of size 6 x 4.
    HDC child = CreateSurfaceDC(topLevel, POINT{5, 2}, RECT{5, 2, 11, 6});
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    RECT huge{-100, -100, 100, 100};
    FillRect(child, &huge, red);
    int painted = 0;
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x) painted += PixelColor(topLevel->at(x, y)) == RGB(255, 0, 0);
    EXPECT_EQ(painted, 24);
    EXPECT_EQ(PixelColor(topLevel->at(5, 2)), RGB(255, 0, 0));
    EXPECT_EQ(PixelColor(topLevel->at(4, 2)), RGB(0, 0, 0));
    EXPECT_EQ(GetPixel(child, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(child, 6, 0), CLR_INVALID);
    DeleteObject(red);
    DeleteDC(child);
}

TEST(DrawDeviceContext, WindowDcReadsBackWhatTheParentPainted) {
    // The taskbar paints a gradient; a DC of its notification area child reads those pixels,
    // including the row just below the child (what the screen shows there).
    auto taskbar = std::make_shared<Surface>(40, 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 40; ++x) taskbar->at(x, y) = OpaquePixel(RGB(x * 5, y * 20, 7));
    HDC area = CreateSurfaceDC(taskbar, POINT{30, 1}, RECT{30, 1, 40, 6});
    Canvas strip(10, 1, RGB(0, 0, 0));
    ASSERT_TRUE(BitBlt(strip.dc(), 0, 0, 10, 1, area, 0, 5, SRCCOPY));  // the row under the child
    for (int x = 0; x < 10; ++x) EXPECT_EQ(strip.at(x, 0), RGB((30 + x) * 5, 6 * 20, 7)) << x;
    EXPECT_EQ(GetPixel(area, 3, 2), RGB(33 * 5, 3 * 20, 7));
    DeleteDC(area);
}

TEST(DrawBitmaps, DibSectionsExposeTheirPixels) {
    struct Case {
        LONG height;
        bool bottomUp;
    };
    for (Case c : {Case{-2, false}, Case{2, true}}) {
        BITMAPINFO info{};
        info.bmiHeader.biWidth = 3;
        info.bmiHeader.biHeight = c.height;
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(HDC(), &info, DIB_RGB_COLORS, &bits);
        ASSERT_TRUE(dib);
        ASSERT_NE(bits, nullptr);
        auto* pixels = static_cast<Pixel*>(bits);
        pixels[0] = 0xFF112233u;  // first row in memory
        Canvas canvas(3, 2, RGB(0, 0, 0));
        HDC source = CreateCompatibleDC(HDC());
        SelectObject(source, dib);
        BitBlt(canvas.dc(), 0, 0, 3, 2, source, 0, 0, SRCCOPY);
        const int shownRow = c.bottomUp ? 1 : 0;
        EXPECT_EQ(canvas.at(0, shownRow), RGB(0x11, 0x22, 0x33));
        BITMAP described{};
        ASSERT_TRUE(GetObject(dib, &described));
        EXPECT_EQ(described.bmWidth, 3);
        EXPECT_EQ(described.bmHeight, 2);
        EXPECT_EQ(described.bmBitsPixel, 32);
        EXPECT_EQ(described.bmBits, bits);
        DeleteDC(source);
        DeleteObject(dib);
    }
    BITMAPINFO eightBit{};
    eightBit.bmiHeader.biWidth = 2;
    eightBit.bmiHeader.biHeight = 2;
    eightBit.bmiHeader.biBitCount = 8;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_FALSE(CreateDIBSection(HDC(), &eightBit, DIB_RGB_COLORS, &bits));
    EXPECT_EQ(bits, nullptr);
    EXPECT_FALSE(CreateCompatibleBitmap(HDC(), -1, 5));
    EXPECT_FALSE(CreateCompatibleBitmap(HDC(), 100000, 5));
}

}  // namespace
