// The font of a control or form, as its Font properties describe it.
#pragma once

#include <string>

namespace platform::forms {

struct FontDescription {
    std::string name = "Arial";
    double size = 8;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethru = false;
    bool operator==(const FontDescription&) const = default;
};

}  // namespace platform::forms
