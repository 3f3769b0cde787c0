#include "platform/draw/compositor.h"

#include <gtest/gtest.h>

namespace {
using namespace platform;

constexpr COLORREF kDesktop = RGB(0, 0, 128);

Surface Filled(int w, int h, COLORREF color) { return Surface(w, h, OpaquePixel(color)); }

COLORREF At(const Surface& s, int x, int y) { return PixelColor(s.at(x, y)); }

TEST(DrawCompositor, LaterLayersCoverEarlierOnesAndHiddenOnesAreSkipped) {
    const Surface bottom = Filled(6, 6, RGB(255, 0, 0));
    const Surface top = Filled(4, 4, RGB(0, 255, 0));
    const Surface hidden = Filled(10, 10, RGB(255, 255, 255));
    Surface screen(10, 10);
    const Layer layers[] = {
        {&bottom, {0, 0}, true, {}},
        {&top, {4, 4}, true, {}},
        {&hidden, {0, 0}, false, {}},
        {nullptr, {0, 0}, true, {}},
    };
    ComposeLayers(screen, layers, screen.bounds(), kDesktop);
    EXPECT_EQ(At(screen, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(At(screen, 5, 5), RGB(0, 255, 0));
    EXPECT_EQ(At(screen, 7, 7), RGB(0, 255, 0));
    EXPECT_EQ(At(screen, 9, 9), kDesktop);
    EXPECT_EQ(At(screen, 8, 1), kDesktop);
}

TEST(DrawCompositor, LayersOffTheScreenAreCut) {
    const Surface window = Filled(5, 5, RGB(255, 0, 0));
    Surface screen(4, 4);
    const Layer layers[] = {{&window, {-3, 2}, true, {}}};
    ComposeLayers(screen, layers, screen.bounds(), kDesktop);
    EXPECT_EQ(At(screen, 1, 3), RGB(255, 0, 0));
    EXPECT_EQ(At(screen, 2, 3), kDesktop);
    EXPECT_EQ(At(screen, 0, 1), kDesktop);
}

TEST(DrawCompositor, LayeredWindowsApplyTheirKeyAndAlpha) {
    // A window whose left column is its key colour and right column is white, over red.
    Surface window(2, 1);
    window.at(0, 0) = OpaquePixel(RGB(255, 0, 255));
    window.at(1, 0) = OpaquePixel(RGB(255, 255, 255));
    const Surface under = Filled(2, 1, RGB(255, 0, 0));
    struct Case {
        const char* label;
        LayeredAttributes layered;
        COLORREF keyPixel;
        COLORREF otherPixel;
    };
    const Case cases[] = {
        {"flags 0: opaque whatever the values", {RGB(255, 0, 255), 0, 0}, RGB(255, 0, 255), RGB(255, 255, 255)},
        {"colour key", {RGB(255, 0, 255), 0, LWA_COLORKEY}, RGB(255, 0, 0), RGB(255, 255, 255)},
        {"alpha 128", {RGB(255, 0, 255), 128, LWA_ALPHA}, RGB(255, 0, 128), RGB(255, 128, 128)},
        {"alpha 0", {0, 0, LWA_ALPHA}, RGB(255, 0, 0), RGB(255, 0, 0)},
        {"alpha 255", {0, 255, LWA_ALPHA}, RGB(255, 0, 255), RGB(255, 255, 255)},
        {"key and alpha", {RGB(255, 0, 255), 128, LWA_COLORKEY | LWA_ALPHA}, RGB(255, 0, 0), RGB(255, 128, 128)},
        {"key of another colour", {RGB(1, 2, 3), 255, LWA_COLORKEY}, RGB(255, 0, 255), RGB(255, 255, 255)},
    };
    for (const Case& c : cases) {
        Surface screen(2, 1);
        const Layer layers[] = {{&under, {0, 0}, true, {}}, {&window, {0, 0}, true, c.layered}};
        ComposeLayers(screen, layers, screen.bounds(), kDesktop);
        EXPECT_EQ(At(screen, 0, 0), c.keyPixel) << c.label;
        EXPECT_EQ(At(screen, 1, 0), c.otherPixel) << c.label;
    }
}

TEST(DrawCompositor, OnlyDamagedAreasAreRecomposed) {
    Surface window = Filled(20, 20, RGB(255, 255, 255));
    Compositor compositor(40, 30, kDesktop);
    const Layer layers[] = {{&window, {10, 5}, true, {}}};
    EXPECT_EQ(compositor.Compose(layers), (RECT{0, 0, 40, 30}));  // at first everything
    EXPECT_FALSE(compositor.HasDamage());
    EXPECT_EQ(At(compositor.Screen(), 10, 5), RGB(255, 255, 255));

    // A label changes in two places; only the damaged one reaches the screen.
    window.fill(RECT{0, 0, 4, 4}, OpaquePixel(RGB(0, 0, 0)));
    window.fill(RECT{10, 10, 14, 14}, OpaquePixel(RGB(0, 0, 0)));
    compositor.Damage(RECT{10, 5, 14, 9});
    EXPECT_EQ(compositor.Compose(layers), (RECT{10, 5, 14, 9}));
    EXPECT_EQ(At(compositor.Screen(), 10, 5), RGB(0, 0, 0));
    EXPECT_EQ(At(compositor.Screen(), 20, 15), RGB(255, 255, 255));
    EXPECT_EQ(compositor.Compose(layers), RECT{});  // nothing damaged, nothing done

    // A window that goes away leaves the desktop behind where it was damaged.
    compositor.Damage(RECT{10, 5, 30, 25});
    compositor.Compose({});
    EXPECT_EQ(At(compositor.Screen(), 20, 15), kDesktop);
}

TEST(DrawCompositor, DamageMergesTouchingAreasAndStaysOnTheScreen) {
    Compositor compositor(100, 100, kDesktop);
    compositor.Compose({});
    compositor.Damage(RECT{0, 0, 10, 10});
    compositor.Damage(RECT{10, 0, 20, 10});  // touches the first
    compositor.Damage(RECT{50, 50, 60, 60});
    compositor.Damage(RECT{90, 90, 200, 200});  // cut to the screen
    compositor.Damage(RECT{5, 5, 5, 50});        // empty
    ASSERT_EQ(compositor.DamagedAreas().size(), 3u);
    EXPECT_EQ(compositor.DamagedAreas()[0], (RECT{0, 0, 20, 10}));
    EXPECT_EQ(compositor.DamagedAreas()[2], (RECT{90, 90, 100, 100}));
    for (int i = 0; i < 40; ++i) compositor.Damage(RECT{i * 2, 20, i * 2 + 1, 21});  // many small areas
    EXPECT_LE(compositor.DamagedAreas().size(), 16u);
    compositor.Resize(50, 50);
    EXPECT_EQ(compositor.DamagedAreas().size(), 1u);
    EXPECT_EQ(compositor.Screen().width(), 50);
}

TEST(DrawCompositor, ShownPixelsTellOnlyWhatChangedSinceLastShown) {
    Surface window = Filled(20, 10, RGB(1, 2, 3));
    ShownPixels shown;
    EXPECT_EQ(shown.TakeChanges(window, RECT{0, 0, 5, 5}), window.bounds());  // never shown: all of it
    EXPECT_TRUE(shown.TakeChanges(window, window.bounds()).empty());          // the same pixels again
    window.fill(RECT{3, 2, 6, 4}, OpaquePixel(RGB(9, 9, 9)));
    window.at(12, 7) = OpaquePixel(RGB(9, 9, 9));
    EXPECT_EQ(shown.TakeChanges(window, window.bounds()), (RECT{3, 2, 13, 8}));
    EXPECT_TRUE(shown.TakeChanges(window, window.bounds()).empty());
    // A change outside the area looked at waits until that area is looked at.
    window.at(19, 0) = OpaquePixel(RGB(7, 7, 7));
    EXPECT_TRUE(shown.TakeChanges(window, RECT{0, 0, 10, 10}).empty());
    EXPECT_EQ(shown.TakeChanges(window, window.bounds()), (RECT{19, 0, 20, 1}));
    EXPECT_EQ(shown.TakeChanges(Filled(8, 8, RGB(1, 2, 3)), RECT{0, 0, 1, 1}), (RECT{0, 0, 8, 8}));  // a new size
}

}  // namespace
