// The colour dialog: 48 basic colours, 16 custom colours kept for the run, and (once opened, or from
// the start with cdlCCFullOpen) a part that defines a colour by its red, green and blue values and
// adds it to the custom colours. Enter or OK chooses the colour shown in the preview; Esc, Cancel
// or the close box cancel.
#pragma once

#include "platform/forms/command_button.h"
#include "platform/forms/dialog_windows.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/swatch_grid.h"
#include "platform/forms/text_box.h"

namespace platform::forms {

class ColorDialogForm : public CommonDialogForm {
public:
    explicit ColorDialogForm(CommonDialogRequest request);

    forms::Label lblBasic{this, "lblBasic"};
    SwatchGrid grdBasic{this, "grdBasic"};
    forms::Label lblCustom{this, "lblCustom"};
    SwatchGrid grdCustom{this, "grdCustom"};
    CommandButton cmdDefine{this, "cmdDefine"};
    CommandButton cmdOk{this, "cmdOk"};
    CommandButton cmdCancel{this, "cmdCancel"};
    PictureBox pctColor{this, "pctColor"};
    forms::Label lblColor{this, "lblColor"};
    forms::Label lblRed{this, "lblRed"};
    TextBox txtRed{this, "txtRed"};
    HScrollBar scrRed{this, "scrRed"};
    forms::Label lblGreen{this, "lblGreen"};
    TextBox txtGreen{this, "txtGreen"};
    HScrollBar scrGreen{this, "scrGreen"};
    forms::Label lblBlue{this, "lblBlue"};
    TextBox txtBlue{this, "txtBlue"};
    HScrollBar scrBlue{this, "scrBlue"};
    CommandButton cmdAdd{this, "cmdAdd"};

    COLORREF Current() const { return current_; }
    bool FullOpen() const { return full_; }

protected:
    void Design() override;
    void Form_Load() override;

private:
    struct Channel {
        TextBox& text;
        HScrollBar& bar;
        int shift;  // the channel's place in 0x00BBGGRR
    };
    Channel Channels(int i);
    void ShowFullPart(bool full);
    // The colour shown; `from` is the channel whose control set it (-1: none), which keeps its text.
    void SetCurrent(COLORREF color, int from = -1);
    void ChannelEdited(int i, int value);

    COLORREF current_ = 0;
    bool full_ = false;
    bool updating_ = false;
};

}  // namespace platform::forms
