// The floating clock's layout state and the label flags it reads. The layout itself is done by
// frmMain's SetLabelData, UpdateDisplay, UpdateLabelKerning and NoLabelsToDisplay.
#pragma once

#include <cstdint>

#include "hooklib/clock_protocol.h"

namespace core {

// Bits of ClockLabel::LabelFlags, as the library reports them.
using hooklib::kLabelAlignCentre;
using hooklib::kLabelAlignLeft;
using hooklib::kLabelAlignRight;
using hooklib::kLabelListedApart;
using hooklib::kLabelTooltipOnly;
using hooklib::PaintedOnClock;

// The widest right edge of the label block (twips) seen since the last forced resize.
inline std::int32_t LayoutRightEdge = 0;
// The vertical offset (twips) that centres the labels in a fixed-size clock; it settles one pass
// after a change, because each pass applies the value the previous one worked out.
inline std::int32_t CentringOffsetY = 0;

}  // namespace core
