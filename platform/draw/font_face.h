// One font at one size, rendered by FreeType: its metrics and its cached glyphs.
// Every font object with the same face, size and rendering shares one instance, so glyphs
// rendered once stay warm for every later font made alike.
#pragma once

#include "platform/draw/font_match.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct FT_FaceRec_;

namespace platform::draw {

struct FontMetrics {
    int em = 0;  // pixels per em
    int ascent = 0;
    int descent = 0;
    int externalLeading = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
    int underlineOffset = 0;  // below the baseline
    int underlineThickness = 1;
    int strikeoutOffset = 0;  // above the baseline
    int strikeoutThickness = 1;
    int height() const { return ascent + descent; }
};

struct Glyph {
    int left = 0;     // from the pen position to the first column of the bitmap
    int top = 0;      // from the baseline up to the first row of the bitmap
    int width = 0;
    int rows = 0;
    int advance = 0;  // whole pixels
    std::vector<std::uint8_t> coverage;  // width x rows, 0 to 255
};

struct FontKey {
    FontMatch match;
    int height = 0;  // as in CreateFont: below 0 the em size, above 0 the cell height, 0 the default
    bool antialiased = true;
};

class FontInstance {
public:
    // Null when the font file cannot be opened.
    static std::shared_ptr<FontInstance> For(const FontKey& key);
    ~FontInstance();
    FontInstance(const FontInstance&) = delete;
    FontInstance& operator=(const FontInstance&) = delete;

    const FontMetrics& metrics() const { return metrics_; }
    // Tells instances apart for as long as the process runs, even one made where another was.
    std::uint64_t serial() const { return serial_; }
    const FontMatch& match() const { return match_; }
    bool antialiased() const { return antialiased_; }
    const Glyph& glyph(char32_t codepoint);

private:
    FontInstance(FT_FaceRec_* face, const FontKey& key);
    Glyph render(char32_t codepoint);

    FT_FaceRec_* face_;
    std::uint64_t serial_;
    FontMatch match_;
    bool antialiased_;
    FontMetrics metrics_;
    std::array<std::unique_ptr<Glyph>, 256> latin_;
    std::unordered_map<char32_t, Glyph> others_;
};

// The em size a font gets when its height is 0 (10 points at 96 dots per inch).
constexpr int kDefaultFontEm = 13;

}  // namespace platform::draw
