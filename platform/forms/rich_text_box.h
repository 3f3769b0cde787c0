// RichTextBox: text with bold, italic, underlined, sized and coloured runs in centred, left or right
// paragraphs, read from a file in the rich-text form of rich_text.h. The box shows its text wrapped
// to its width, takes the focus, and scrolls with its bar, the arrow keys, Page Up, Page Down, Home
// and End. It is for reading: the user does not edit it.
#pragma once

#include "platform/forms/rich_text.h"
#include "platform/forms/rich_text_layout.h"
#include "platform/forms/scroll_model.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

class RichTextBox : public WindowedControl {
    std::string text() const { return doc_.PlainText(); }
    void setText(std::string value);
    std::string fileName() const { return fileName_; }

public:
    RichTextBox(ContainerRef container, std::string name, int index = -1);

    Prop<&RichTextBox::text, &RichTextBox::setText> Text{this};  // the text without formatting
    Prop<&RichTextBox::fileName> FileName{this};                  // the file loaded last

    // Loads one of the clock's paths (see platform::MapPath). A file that cannot be read raises
    // platform::Error and leaves the box as it was.
    void LoadFile(const std::string& path);

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;

    // Toolkit side.
    const RichDocument& Document() const { return doc_; }
    const RichLayout& Layout() const;
    int ScrollTop() const { return scrollTop_; }

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrRichTextBox"; }
    void OnKey(int keyCode, int shift) override;
    void OnTimerTick(UINT_PTR id) override;
    void AppearanceChanged() override;

private:
    void SetDocument(RichDocument doc);
    RECT TextRect() const;  // inside the frame and margins, left of the bar
    RECT ScrollBarRect() const;
    bool HasScrollBar() const;
    int ContentHeight() const;
    ScrollModel VerticalModel() const;
    void ScrollTo(int top);

    RichDocument doc_;
    std::string fileName_;
    int scrollTop_ = 0;  // pixels
    ScrollTracker tracker_;
    mutable RichLayout layout_;
    mutable int layoutFull_ = -1;  // the width without a bar and the height the layout was made for
    mutable int layoutHeight_ = -1;
    mutable FontDescription layoutFont_;
};

}  // namespace platform::forms
