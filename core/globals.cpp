#include "core/globals.h"

namespace core {

void ResizeLabelDisplayArrays(std::size_t count) {
    LabelTexts.resize(count);
    LabelLayoutWidth.resize(count);
    LabelShownHeight.resize(count);
    HookLabelX.resize(count);
    HookLabelY.resize(count);
    LabelNeedsLayout.resize(count);
    LabelPushed.resize(count);
}

}  // namespace core
