// The layers every control kind is built from:
//   Control             a named member of a form (timers and menus stop here)
//   VisualControl       has a place in its container: Left, Top, Width, Height, Visible (lines)
//   InteractiveControl  takes the mouse and has colours and a font (labels and windowed controls)
// Positions are in the scale of the control's container (twips unless the container says pixels);
// the toolkit keeps them in pixels and converts at the property.
#pragma once

#include <climits>
#include <string>

#include "platform/base.h"
#include "platform/forms/constants.h"
#include "platform/forms/event.h"
#include "platform/forms/font.h"
#include "platform/forms/property.h"

namespace platform::forms {

class Form;
class Container;
class Painter;
class ControlArrayBase;

// Where a control is declared: `Label lblText{this, "lblText"}` on a form, or
// `TextBox txtHour{frmTime, "txtHour"}` inside a frame.
class ContainerRef {
public:
    ContainerRef(Container& container) : container_(&container) {}
    ContainerRef(Container* container) : container_(container) {}
    Container& get() const { return *container_; }

private:
    Container* container_;
};

constexpr int kKeep = INT_MIN;  // Move(): leave this value as it is

class Control {
public:
    Control(ContainerRef container, std::string name, int index);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& Name() const { return name_; }
    int Index() const { return index_; }  // -1 outside a control array
    std::string DisplayName() const;      // "Label(1)", or the name outside an array
    Form& Parent() const;                 // the form the control is on
    Container& ParentContainer() const { return *container_; }

    // Referring to a control of an unloaded form loads the form.
    void Touch() const;
    // The form's windows exist, so the control's events may run.
    bool Live() const;
    // One of the control's events is running (it must not be unloaded then).
    bool InEvent() const { return busy_ > 0; }

protected:
    friend class Form;
    friend class Container;
    friend class ControlArrayBase;

    // Marks the control busy while input is handed to it.
    class BusyScope {
    public:
        explicit BusyScope(Control& control) : control_(control) { ++control_.busy_; }
        ~BusyScope() { --control_.busy_; }
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        Control& control_;
    };

    // Design values: every load of the form starts from the kind's defaults, then the form's Design().
    virtual void ResetToDesign() {}
    // A control array element loaded at run time takes the properties of the array's first element.
    virtual void CopyDesignFrom(const Control&) {}
    virtual void CreateWindows() {}
    virtual void WindowsDestroyed() {}
    virtual bool IsWindowless() const { return true; }
    virtual bool IsVisual() const { return false; }

private:
    Container* container_;
    std::string name_;
    int index_;
    int busy_ = 0;
};

class VisualControl : public Control {
    int left() const;
    void setLeft(int value);
    int top() const;
    void setTop(int value);
    int width() const;
    void setWidth(int value);
    int height() const;
    void setHeight(int value);
    bool visible() const;
    void setVisible(bool value);

public:
    VisualControl(ContainerRef container, std::string name, int index);

    Prop<&VisualControl::left, &VisualControl::setLeft> Left{this};
    Prop<&VisualControl::top, &VisualControl::setTop> Top{this};
    Prop<&VisualControl::width, &VisualControl::setWidth> Width{this};
    Prop<&VisualControl::height, &VisualControl::setHeight> Height{this};
    Prop<&VisualControl::visible, &VisualControl::setVisible> Visible{this};

    void Move(int left, int top = kKeep, int width = kKeep, int height = kKeep);
    // 0 brings the control in front of its siblings, 1 sends it behind them.
    void ZOrder(int position = 0);

    // Toolkit side: the rectangle in the container's client pixels, and painting.
    RECT PixelRect() const;
    void SetPixelRect(const RECT& r);
    bool VisibleFlag() const;  // the Visible property, without loading the form
    virtual void PaintLook(Painter&) {}
    virtual void Invalidate();

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    bool IsVisual() const override { return true; }
    virtual void ApplyRect(const RECT& oldRect);
    virtual void ApplyVisible();
    virtual void ApplyZOrder(int position);
    int ToPixels(int value) const;
    int ToScale(int pixels) const;

    RECT rect_{0, 0, 100, 30};  // container client pixels
    bool visible_ = true;
};

class InteractiveControl : public VisualControl {
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    COLORREF backColor() const { return backColor_; }
    void setBackColor(COLORREF value);
    COLORREF foreColor() const { return foreColor_; }
    void setForeColor(COLORREF value);
    std::string fontName() const { return font_.name; }
    void setFontName(std::string value);
    double fontSize() const { return font_.size; }
    void setFontSize(double value);
    bool fontBold() const { return font_.bold; }
    void setFontBold(bool value);
    bool fontItalic() const { return font_.italic; }
    void setFontItalic(bool value);
    bool fontUnderline() const { return font_.underline; }
    void setFontUnderline(bool value);
    bool fontStrikethru() const { return font_.strikethru; }
    void setFontStrikethru(bool value);
    std::string toolTipText() const { return toolTip_; }
    void setToolTipText(std::string value) { toolTip_ = std::move(value); }

public:
    InteractiveControl(ContainerRef container, std::string name, int index);

    Prop<&InteractiveControl::enabled, &InteractiveControl::setEnabled> Enabled{this};
    Prop<&InteractiveControl::backColor, &InteractiveControl::setBackColor> BackColor{this};
    Prop<&InteractiveControl::foreColor, &InteractiveControl::setForeColor> ForeColor{this};
    Prop<&InteractiveControl::fontName, &InteractiveControl::setFontName> FontName{this};
    Prop<&InteractiveControl::fontSize, &InteractiveControl::setFontSize> FontSize{this};
    Prop<&InteractiveControl::fontBold, &InteractiveControl::setFontBold> FontBold{this};
    Prop<&InteractiveControl::fontItalic, &InteractiveControl::setFontItalic> FontItalic{this};
    Prop<&InteractiveControl::fontUnderline, &InteractiveControl::setFontUnderline> FontUnderline{this};
    Prop<&InteractiveControl::fontStrikethru, &InteractiveControl::setFontStrikethru> FontStrikethru{this};
    Prop<&InteractiveControl::toolTipText, &InteractiveControl::setToolTipText> ToolTipText{this};

    Event<> Click;
    Event<> DblClick;
    // Button (1 left, 2 right, 4 middle), Shift (1 Shift, 2 Ctrl, 4 Alt), X and Y in the scale the
    // control's position is measured in (a container's own scale for a picture box or frame).
    Event<int, int, int, int> MouseDown;
    Event<int, int, int, int> MouseMove;
    Event<int, int, int, int> MouseUp;

    // Toolkit side.
    const FontDescription& Font() const { return font_; }
    bool EnabledFlag() const { return enabled_; }
    virtual int MouseScaleMode() const;
    // Mouse input in the control's own pixels (windowless controls get it from their container).
    virtual void HandleMouseDown(int button, int shift, POINT px);
    virtual void HandleMouseUp(int button, int shift, POINT px, bool inside);
    virtual void HandleMouseMove(int buttons, int shift, POINT px);
    virtual void HandleDoubleClick(int button, int shift, POINT px);

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    // The control's look depends on its font, colours or state: repaint, and refit when it sizes itself.
    virtual void AppearanceChanged();
    virtual void ApplyEnabled() { Invalidate(); }
    // A left press and release on the control: raises Click (kinds with a value change it first).
    virtual void Clicked();
    void SetDefaultColors(COLORREF back, COLORREF fore);
    int MouseX(POINT px) const;
    int MouseY(POINT px) const;

    bool enabled_ = true;
    COLORREF backColor_ = vbButtonFace;
    COLORREF foreColor_ = vbButtonText;
    FontDescription font_;
    std::string toolTip_;
    bool clickArmed_ = false;  // a left press began on the control and may end in a Click
};

}  // namespace platform::forms
