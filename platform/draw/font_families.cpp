#include "platform/draw/font_families.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>

namespace platform {

namespace {

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<std::string> ReadFamilies() {
    std::vector<std::string> out;
    if (!FcInit()) return out;
    FcPattern* pattern = FcPatternCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, static_cast<char*>(nullptr));
    FcFontSet* fonts = pattern && objects ? FcFontList(nullptr, pattern, objects) : nullptr;
    if (fonts) {
        for (int i = 0; i < fonts->nfont; ++i) {
            FcChar8* family = nullptr;
            // A font may name its family in several languages; the first name is its own.
            if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch && family)
                out.emplace_back(reinterpret_cast<const char*>(family));
        }
        FcFontSetDestroy(fonts);
    }
    if (objects) FcObjectSetDestroy(objects);
    if (pattern) FcPatternDestroy(pattern);
    std::sort(out.begin(), out.end(), [](const std::string& a, const std::string& b) { return Lower(a) < Lower(b); });
    out.erase(std::unique(out.begin(), out.end(), [](const std::string& a, const std::string& b) { return Lower(a) == Lower(b); }),
              out.end());
    return out;
}

}  // namespace

const std::vector<std::string>& InstalledFontFamilies() {
    static const std::vector<std::string> families = ReadFamilies();
    return families;
}

}  // namespace platform
