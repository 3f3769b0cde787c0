#include "core/clock_label.h"

namespace core {

void ShiftLabelOffsets(std::int16_t dx, std::int16_t dy) {
    for (int i = 0; i < LabelCount && i < static_cast<int>(Labels.size()); ++i) {
        ClockLabel& label = Labels[i];
        label.X = static_cast<std::int16_t>(label.X + dx * 15);
        label.BaseX = static_cast<std::int16_t>(label.BaseX + dx * 15);
        label.Y = static_cast<std::int16_t>(label.Y + dy * 15);
        label.BaseY = static_cast<std::int16_t>(label.BaseY + dy * 15);
    }
}

}  // namespace core
