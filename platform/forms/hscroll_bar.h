// HScrollBar: a value between Min and Max, stepped by SmallChange (arrows) and LargeChange (track),
// or dragged by its thumb. Change runs whenever Value changes, by the user or by code, and only then.
// Values outside the range are brought into it.
#pragma once

#include "platform/forms/scroll_model.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

class HScrollBar : public WindowedControl {
    int value() const { return model_.value; }
    void setValue(int value);
    int min() const { return model_.min; }
    void setMin(int value);
    int max() const { return model_.max; }
    void setMax(int value);
    int smallChange() const { return model_.smallChange; }
    void setSmallChange(int value) { model_.smallChange = value < 1 ? 1 : value; }
    int largeChange() const { return model_.largeChange; }
    void setLargeChange(int value);

public:
    HScrollBar(ContainerRef container, std::string name, int index = -1);

    Prop<&HScrollBar::value, &HScrollBar::setValue> Value{this};
    Prop<&HScrollBar::min, &HScrollBar::setMin> Min{this};
    Prop<&HScrollBar::max, &HScrollBar::setMax> Max{this};
    Prop<&HScrollBar::smallChange, &HScrollBar::setSmallChange> SmallChange{this};
    Prop<&HScrollBar::largeChange, &HScrollBar::setLargeChange> LargeChange{this};

    Event<> Change;

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    const char* ClassName() const override { return "OzrHScrollBar"; }
    UINT ClassStyle() const override { return 0; }
    void Clicked() override {}
    void OnKey(int keyCode, int shift) override;
    void OnTimerTick(UINT_PTR id) override;

private:
    RECT Bar() const { return RECT{0, 0, rect_.width(), rect_.height()}; }
    void ChangeValue(int value);

    ScrollModel model_;
    ScrollTracker tracker_;
};

}  // namespace platform::forms
