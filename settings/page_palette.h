// The colour schemes of the settings windows (ColorScheme: 1 Matrix, 2 Alive, 3 Standard): the
// colours each window and page gives its own controls, and the title-bar gradient of each scheme.
#pragma once

#include <optional>
#include <string>

#include "platform/base.h"

namespace settings {

struct SchemeColors {
    platform::COLORREF back;    // windows, pages, frames, labels, options, check boxes
    platform::COLORREF text;    // their text
    platform::COLORREF button;  // command buttons' back colour (their text colour never changes)
};

// The palette of a scheme; nothing for a value that is no scheme (such a value changes no colour).
std::optional<SchemeColors> SchemePalette(int scheme);

// The title-bar gradient of a scheme, after the program folder; "" for a value that is no scheme.
std::string GradientFileForScheme(int scheme);

// The colour the title bars draw their text in: the window's text colour, or white over black text.
platform::COLORREF TitleTextColor(platform::COLORREF foreColor);

// The opacity of a translucent settings window. A stored MenusAlpha below the slider's minimum
// (the file's default is 0, a hand-edited file may hold anything) would open the window
// invisible: it counts as 200 then.
inline constexpr int kMinimumMenusAlpha = 15;
inline constexpr int kFallbackMenusAlpha = 200;
int EffectiveMenusAlpha(int menusAlpha);

}  // namespace settings
