// Drawing benchmarks: a clock label's text, a full screen composition, and the recomposition
// after one label changed.
#include "platform/draw/compositor.h"
#include "platform/draw/gdi.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {
using namespace platform;

HFONT LabelFont() {
    return CreateFont(-MulDiv(10, 96, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, "Arial");
}

// An 8-character label in a 10-point font, glyphs already rendered once.
void BM_LabelText(benchmark::State& state) {
    const bool opaque = state.range(0) != 0;
    HDC dc = CreateCompatibleDC(HDC());
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 120, 24);
    SelectObject(dc, bitmap);
    HFONT font = LabelFont();
    SelectObject(dc, font);
    SetBkMode(dc, opaque ? OPAQUE : TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(236, 233, 216));
    TextOut(dc, 2, 2, "12:34:56");
    for (auto _ : state) benchmark::DoNotOptimize(TextOut(dc, 2, 2, "12:34:56"));
    DeleteDC(dc);
    DeleteObject(bitmap);
    DeleteObject(font);
}
BENCHMARK(BM_LabelText)->Arg(0)->Arg(1)->ArgNames({"opaque"});

// A desktop of windows: a taskbar, two overlapping dialogs, a translucent alarm window, a
// colour-keyed floating clock.
struct Desktop {
    std::vector<std::unique_ptr<Surface>> surfaces;
    std::vector<Layer> layers;
    Desktop() {
        add(1280, 30, {0, 994}, RGB(40, 60, 120), {});
        add(640, 480, {100, 100}, RGB(212, 208, 200), {});
        add(500, 400, {400, 300}, RGB(255, 255, 255), {});
        add(300, 150, {900, 700}, RGB(255, 255, 225), LayeredAttributes{0, 200, LWA_ALPHA});
        add(150, 50, {1100, 20}, RGB(255, 0, 255), LayeredAttributes{RGB(255, 0, 255), 255, LWA_COLORKEY});
    }
    void add(int w, int h, POINT at, COLORREF color, LayeredAttributes layered) {
        surfaces.push_back(std::make_unique<Surface>(w, h, OpaquePixel(color)));
        layers.push_back(Layer{surfaces.back().get(), at, true, layered});
    }
};

void BM_ComposeFullScreen(benchmark::State& state) {
    Desktop desktop;
    Compositor compositor(1280, 1024, RGB(0, 78, 152));
    for (auto _ : state) {
        compositor.DamageAll();
        benchmark::DoNotOptimize(compositor.Compose(desktop.layers));
    }
}
BENCHMARK(BM_ComposeFullScreen)->Unit(benchmark::kMicrosecond);

// The floating clock's label changes: the label is drawn again into its window and only its
// rectangle is recomposed.
void BM_ComposeAfterLabelChange(benchmark::State& state) {
    Desktop desktop;
    auto clock = std::make_shared<Surface>(150, 50, OpaquePixel(RGB(255, 0, 255)));
    desktop.layers[4].surface = clock.get();
    Compositor compositor(1280, 1024, RGB(0, 78, 152));
    compositor.Compose(desktop.layers);
    HDC dc = CreateSurfaceDC(clock, POINT{0, 0}, clock->bounds());
    HFONT font = LabelFont();
    SelectObject(dc, font);
    SetBkColor(dc, RGB(255, 255, 255));
    const POINT at = desktop.layers[4].position;
    int second = 0;
    for (auto _ : state) {
        const std::string text = "12:34:" + std::to_string(10 + second++ % 50);
        SIZE size{};
        GetTextExtentPoint32(dc, text, &size);
        TextOut(dc, 4, 4, text);
        compositor.Damage(RECT{at.x + 4, at.y + 4, at.x + 4 + size.cx, at.y + 4 + size.cy});
        benchmark::DoNotOptimize(compositor.Compose(desktop.layers));
    }
    DeleteDC(dc);
    DeleteObject(font);
}
BENCHMARK(BM_ComposeAfterLabelChange);

}  // namespace
