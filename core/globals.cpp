#include "core/globals.h"

namespace core {

void ResizeLabelDisplays(std::size_t count) { LabelDisplays.resize(count); }

LabelDisplay* LabelDisplayOf(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= LabelDisplays.size()) return nullptr;
    return &LabelDisplays[static_cast<std::size_t>(index)];
}

void ForgetHookLabelPositions() {
    for (LabelDisplay& d : LabelDisplays) d.HookLabelX = d.HookLabelY = 0;
}

}  // namespace core
