// The font dialog: a face from the installed families (or any name typed), a style, a size in
// points, and with cdlCFEffects strikeout and underline; a sample shows the choice. Typing in a box
// finds the first list entry that starts with the text. OK refuses an empty name, a style that is
// not in the list and a size that is not a number from 1 to 1638, with a message.
#pragma once

#include "platform/forms/check_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/dialog_windows.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/list_box.h"
#include "platform/forms/text_box.h"

namespace platform::forms {

class FontDialogForm : public CommonDialogForm {
public:
    explicit FontDialogForm(CommonDialogRequest request);

    forms::Label lblFont{this, "lblFont"};
    TextBox txtFont{this, "txtFont"};
    ListBox lstFont{this, "lstFont"};
    forms::Label lblStyle{this, "lblStyle"};
    TextBox txtStyle{this, "txtStyle"};
    ListBox lstStyle{this, "lstStyle"};
    forms::Label lblSize{this, "lblSize"};
    TextBox txtSize{this, "txtSize"};
    ListBox lstSize{this, "lstSize"};
    CommandButton cmdOk{this, "cmdOk"};
    CommandButton cmdCancel{this, "cmdCancel"};
    Frame fraEffects{this, "fraEffects"};
    CheckBox chStrikeout{fraEffects, "chStrikeout"};
    CheckBox chUnderline{fraEffects, "chUnderline"};
    Frame fraSample{this, "fraSample"};
    forms::Label lblSample{fraSample, "lblSample"};

    // The font the boxes describe now (the size is 0 when it is not a number).
    FontDescription Chosen() const;

protected:
    void Design() override;
    void Form_Load() override;

private:
    // A box's text changed: choose the first list entry that starts with it, without a Click loop.
    void FollowText(TextBox& box, ListBox& list);
    void TakeFromList(ListBox& list, TextBox& box);
    void UpdateSample();
    void OkClicked();
    void Refuse(const std::string& message, TextBox& box);

    bool updating_ = false;
};

}  // namespace platform::forms
