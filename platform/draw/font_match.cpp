#include "platform/draw/font_match.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <tuple>

namespace platform::draw {
namespace {

FcConfig* Config() {
    static FcConfig* config = FcInitLoadConfigAndFonts();
    return config;
}

std::string StringOf(FcPattern* pattern, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch || !value) return {};
    return reinterpret_cast<const char*>(value);
}

FontMatch Resolve(const std::string& face, int weight, bool italic) {
    FontMatch result;
    FcConfig* config = Config();
    if (!config) return result;
    FcPattern* pattern = FcPatternCreate();
    if (!face.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(face.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult outcome = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &outcome);
    FcPatternDestroy(pattern);
    if (!match) return result;

    result.file = StringOf(match, FC_FILE);
    result.family = StringOf(match, FC_FAMILY);
    int index = 0;
    if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch) result.index = index;
    FcBool embolden = FcFalse;
    if (FcPatternGetBool(match, FC_EMBOLDEN, 0, &embolden) == FcResultMatch) result.embolden = embolden;
    FcMatrix* matrix = nullptr;
    if (FcPatternGetMatrix(match, FC_MATRIX, 0, &matrix) == FcResultMatch && matrix) result.oblique = matrix->xy != 0;
    if (italic && !result.oblique) {
        int slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        result.oblique = slant == FC_SLANT_ROMAN;
    }
    FcPatternDestroy(match);
    return result;
}

}  // namespace

FontMatch MatchFontFace(const std::string& face, int weight, bool italic) {
    static std::map<std::tuple<std::string, int, bool>, FontMatch> cache;
    weight = weight <= 0 ? 400 : std::min(weight, 1000);
    const auto key = std::make_tuple(face, weight, italic);
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.emplace(key, Resolve(face, weight, italic)).first;
    return it->second;
}

}  // namespace platform::draw
