// A grid of colour swatches, one of which may be chosen: the basic and custom colours of the colour
// dialog. A click or an arrow key chooses a swatch and raises Click.
#pragma once

#include <vector>

#include "platform/forms/windowed_control.h"

namespace platform::forms {

class SwatchGrid : public WindowedControl {
public:
    SwatchGrid(ContainerRef container, std::string name, int index = -1);

    void SetColors(std::vector<COLORREF> colors, int columns);
    int Count() const { return static_cast<int>(colors_.size()); }
    COLORREF ColorAt(int index) const { return colors_.at(static_cast<std::size_t>(index)); }
    void SetColorAt(int index, COLORREF color);
    int Selected() const { return selected_; }
    void Select(int index);  // -1: none; raises nothing
    // The index of a colour, or -1.
    int Find(COLORREF color) const;
    // A swatch's rectangle in the control's pixels.
    RECT SwatchRect(int index) const;

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrSwatchGrid"; }
    void Clicked() override {}  // Click comes from the choice
    void OnKey(int keyCode, int shift) override;

private:
    int Rows() const;
    void UserSelect(int index);

    std::vector<COLORREF> colors_;
    int columns_ = 8;
    int selected_ = -1;
};

}  // namespace platform::forms
