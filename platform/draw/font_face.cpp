#include "platform/draw/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <map>
#include <tuple>

#include "platform/services/regular_file.h"

namespace platform::draw {
namespace {

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library lib = nullptr;
        if (FT_Init_FreeType(&lib) != 0) return static_cast<FT_Library>(nullptr);
        return lib;
    }();
    return library;
}

// A font file read piece by piece, as FreeType asks for its tables and glyphs. FreeType would
// otherwise map the whole file, and every page of it near one it reads counts as the program's
// memory: a clock that shows a few digits needs a few kilobytes of a font of hundreds.
unsigned long ReadFontFile(FT_Stream stream, unsigned long offset, unsigned char* buffer, unsigned long count) {
    if (count == 0) return offset <= stream->size ? 0 : 1;  // a seek: 0 when it lands in the file
    unsigned long done = 0;
    while (done < count) {
        const ssize_t n = pread(static_cast<int>(stream->descriptor.value), buffer + done, count - done,
                                static_cast<off_t>(offset + done));
        if (n <= 0) break;
        done += static_cast<unsigned long>(n);
    }
    return done;
}

// FreeType closes the stream with its face, and also when the face cannot be opened.
void CloseFontFile(FT_Stream stream) {
    close(static_cast<int>(stream->descriptor.value));
    delete stream;
}

FT_Face OpenFace(const std::string& file, int index) {
    RegularFile source(file);
    if (!source) return nullptr;
    auto* stream = new FT_StreamRec{};
    stream->size = static_cast<unsigned long>(source.size());
    stream->descriptor.value = source.Release();
    stream->read = ReadFontFile;
    stream->close = CloseFontFile;
    FT_Open_Args args{};
    args.flags = FT_OPEN_STREAM;
    args.stream = stream;
    FT_Face face = nullptr;
    if (FT_Open_Face(Library(), &args, index, &face) != 0) return nullptr;
    return face;
}

std::uint64_t NextSerial() {
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

int Scale(long units, int em, int unitsPerEm, bool roundUp) {
    const double v = static_cast<double>(units) * em / unitsPerEm;
    return static_cast<int>(roundUp ? std::ceil(v - 1e-9) : std::lround(v));
}

// The vertical design extent of a face: the ascent and descent the system's text layout uses.
struct DesignExtent {
    long ascent;
    long descent;
    long externalLeading;
};

DesignExtent ExtentOf(FT_Face face) {
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const long hheaAscent = face->ascender;
    const long hheaDescent = -face->descender;
    const long lineGap = face->height - (hheaAscent + hheaDescent);
    if (os2 && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
        const long winAscent = os2->usWinAscent;
        const long winDescent = os2->usWinDescent;
        const long leading = lineGap - ((winAscent + winDescent) - (hheaAscent + hheaDescent));
        return {winAscent, winDescent, std::max(0L, leading)};
    }
    return {hheaAscent, hheaDescent, std::max(0L, lineGap)};
}

void SetShear(FT_Face face, bool oblique) {
    if (!oblique) {
        FT_Set_Transform(face, nullptr, nullptr);
        return;
    }
    FT_Matrix shear{0x10000, static_cast<FT_Fixed>(0.2 * 0x10000), 0, 0x10000};
    FT_Set_Transform(face, &shear, nullptr);
}

}  // namespace

std::shared_ptr<FontInstance> FontInstance::For(const FontKey& key) {
    using CacheKey = std::tuple<std::string, int, int, bool, bool, bool>;
    static std::map<CacheKey, std::shared_ptr<FontInstance>> cache;
    if (!key.match.found() || !Library()) return nullptr;
    const CacheKey cacheKey{key.match.file, key.match.index, key.height, key.antialiased, key.match.embolden,
                            key.match.oblique};
    if (auto it = cache.find(cacheKey); it != cache.end()) return it->second;

    FT_Face face = OpenFace(key.match.file, key.match.index);
    if (!face) return nullptr;
    if (!FT_IS_SCALABLE(face)) {
        FT_Done_Face(face);
        return nullptr;
    }
    std::shared_ptr<FontInstance> instance(new FontInstance(face, key));
    // Keep the cache small: instances no font object uses any more go first.
    if (cache.size() >= 64) std::erase_if(cache, [](const auto& entry) { return entry.second.use_count() == 1; });
    cache.emplace(cacheKey, instance);
    return instance;
}

FontInstance::FontInstance(FT_FaceRec_* face, const FontKey& key)
    : face_(face), serial_(NextSerial()), match_(key.match), antialiased_(key.antialiased) {
    const DesignExtent extent = ExtentOf(face);
    const int unitsPerEm = face->units_per_EM;
    int em = kDefaultFontEm;
    if (key.height < 0) em = -key.height;
    if (key.height > 0) em = std::max(1, Scale(key.height * static_cast<long>(unitsPerEm), 1,
                                                static_cast<int>(extent.ascent + extent.descent), false));
    em = std::clamp(em, 1, 2048);
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
    SetShear(face, match_.oblique);

    FontMetrics& m = metrics_;
    m.em = em;
    m.ascent = Scale(extent.ascent, em, unitsPerEm, true);
    m.descent = Scale(extent.descent, em, unitsPerEm, true);
    m.externalLeading = Scale(extent.externalLeading, em, unitsPerEm, false);
    m.maxCharWidth = Scale(face->max_advance_width, em, unitsPerEm, false);
    m.underlineOffset = std::max(1, Scale(-face->underline_position, em, unitsPerEm, false));
    m.underlineThickness = std::max(1, Scale(face->underline_thickness, em, unitsPerEm, false));
    const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    if (os2 && os2->version != 0xFFFF && os2->yStrikeoutPosition > 0) {
        m.strikeoutOffset = Scale(os2->yStrikeoutPosition, em, unitsPerEm, false);
        m.strikeoutThickness = std::max(1, Scale(os2->yStrikeoutSize, em, unitsPerEm, false));
    } else {
        m.strikeoutOffset = m.ascent / 3;
        m.strikeoutThickness = m.underlineThickness;
    }
    m.aveCharWidth = os2 && os2->version != 0xFFFF && os2->xAvgCharWidth > 0
                         ? Scale(os2->xAvgCharWidth, em, unitsPerEm, false)
                         : glyph(U'x').advance;
}

FontInstance::~FontInstance() { FT_Done_Face(face_); }

const Glyph& FontInstance::glyph(char32_t codepoint) {
    if (codepoint < latin_.size()) {
        auto& slot = latin_[codepoint];
        if (!slot) slot = std::make_unique<Glyph>(render(codepoint));
        return *slot;
    }
    auto it = others_.find(codepoint);
    if (it == others_.end()) it = others_.emplace(codepoint, render(codepoint)).first;
    return it->second;
}

Glyph FontInstance::render(char32_t codepoint) {
    Glyph g;
    FT_Face face = face_;
    const FT_UInt index = FT_Get_Char_Index(face, codepoint);
    const FT_Int32 loadFlags = antialiased_ ? FT_LOAD_TARGET_NORMAL : (FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME);
    if (FT_Load_Glyph(face, index, loadFlags) != 0) return g;
    FT_GlyphSlot slot = face->glyph;
    if (match_.embolden) FT_GlyphSlot_Embolden(slot);
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, antialiased_ ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0) return g;
    const FT_Bitmap& bitmap = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(bitmap.width);
    g.rows = static_cast<int>(bitmap.rows);
    g.coverage.resize(static_cast<std::size_t>(g.width) * g.rows);
    for (int y = 0; y < g.rows; ++y) {
        const unsigned char* src = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        std::uint8_t* dst = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
        for (int x = 0; x < g.width; ++x) {
            dst[x] = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? ((src[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0)
                                                             : src[x];
        }
    }
    return g;
}

}  // namespace platform::draw
