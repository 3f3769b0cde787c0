// Label: a windowless text painted by its container. AutoSize fits the label to its text: a
// left-aligned label keeps its left edge, a centred one its centre, a right-aligned one its right
// edge; with WordWrap the width stays and the height follows the wrapped lines.
#pragma once

#include <optional>
#include <string>

#include "platform/forms/control.h"

namespace platform::forms {

class Label : public InteractiveControl {
    std::string caption() const { return caption_; }
    void setCaption(std::string value);
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool value);
    int alignment() const { return alignment_; }
    void setAlignment(int value);
    bool wordWrap() const { return wordWrap_; }
    void setWordWrap(bool value);
    bool useMnemonic() const { return useMnemonic_; }
    void setUseMnemonic(bool value);

public:
    Label(ContainerRef container, std::string name, int index = -1);

    Prop<&Label::caption, &Label::setCaption> Caption{this};
    Prop<&Label::autoSize, &Label::setAutoSize> AutoSize{this};
    Prop<&Label::alignment, &Label::setAlignment> Alignment{this};  // vbLeftJustify, vbRightJustify, vbCenter
    Prop<&Label::wordWrap, &Label::setWordWrap> WordWrap{this};
    // "&" marks an access key (and "&&" shows "&") unless this is False.
    Prop<&Label::useMnemonic, &Label::setUseMnemonic> UseMnemonic{this};

    void PaintLook(Painter& painter) override;
    const std::string& CaptionText() const { return caption_; }  // without loading the form

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    void AppearanceChanged() override;

private:
    void Fit();

    // The text AutoSize last measured and its size: fitting the same text in the same font, way
    // and width again measures nothing (a clock fits its labels every second).
    struct Measured {
        FontDescription font;
        std::string text;
        unsigned flags = 0;
        int wrapWidth = 0;
        SIZE size;
    };
    std::optional<Measured> measured_;
    std::string caption_;
    bool autoSize_ = false;
    int alignment_ = vbLeftJustify;
    bool wordWrap_ = false;
    bool useMnemonic_ = true;
};

}  // namespace platform::forms
