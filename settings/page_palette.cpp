#include "settings/page_palette.h"

namespace settings {
namespace {

struct Scheme {
    int number;
    SchemeColors colors;
    const char* gradient;
};

constexpr Scheme kSchemes[] = {
    {1, {0x000000, 0x00FF00, 0x00FF00}, "\\GUI\\Settings\\GradientBlack.bmp"},  // Matrix
    {2, {0x4C3C19, 0xFFFFFF, 0xFFFFFF}, "\\GUI\\Settings\\GradientBlue.bmp"},   // Alive
    {3, {0xC8D0D4, 0x000000, 0xC8D0D4}, "\\GUI\\Settings\\GradientGray.bmp"},   // Standard
};

const Scheme* Find(int scheme) {
    for (const Scheme& s : kSchemes)
        if (s.number == scheme) return &s;
    return nullptr;
}

}  // namespace

std::optional<SchemeColors> SchemePalette(int scheme) {
    if (const Scheme* s = Find(scheme)) return s->colors;
    return std::nullopt;
}

std::string GradientFileForScheme(int scheme) {
    const Scheme* s = Find(scheme);
    return s ? s->gradient : "";
}

platform::COLORREF TitleTextColor(platform::COLORREF foreColor) { return foreColor == 0 ? 0xFFFFFF : foreColor; }

int EffectiveMenusAlpha(int menusAlpha) { return menusAlpha < kMinimumMenusAlpha ? kFallbackMenusAlpha : menusAlpha; }

}  // namespace settings
