// The floating clock's layout: label texts, fonts, stacking, alignment, clipping and the size.
#include "core/frm_main.h"
#include "core/globals.h"

namespace core {

void frmMainForm::SetLabelData(std::int16_t index, const std::string& text) {
    if (index < 0) return;
    if (DisplayLabelCount < index + 1) {
        DisplayLabelCount = static_cast<std::int16_t>(index + 1);
        ResizeLabelDisplayArrays(static_cast<std::size_t>(DisplayLabelCount) + 1);
    }
    while (Label.Count() < DisplayLabelCount) {
        int next = Label.Count();
        Label.Load(next);
        Label(next).Visible = true;
    }
    LabelTexts[static_cast<std::size_t>(index)] = text;
}

void frmMainForm::UpdateDisplay(bool) {
    for (int i = 0; i < DisplayLabelCount && i < Label.Count(); ++i) Label(i).Caption = LabelTexts[static_cast<std::size_t>(i)];
}

void frmMainForm::UpdateLabelKerning(std::int16_t dx, std::int16_t dy) { ShiftLabelOffsets(dx, dy); }
void frmMainForm::NoLabelsToDisplay() {}

}  // namespace core
