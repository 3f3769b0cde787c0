// The common dialogs as a person answers them: modal forms of the toolkit itself.
#pragma once

#include "platform/forms/common_dialog.h"
#include "platform/forms/form.h"

namespace platform::forms {

// Shows the dialog of the request's kind over the requesting window and returns the answer.
CommonDialogAnswer ShowCommonDialogWindow(const CommonDialogRequest& request);

// What the three dialog forms share: the request they answer, the answer, OK and Cancel.
class CommonDialogForm : public Form {
public:
    CommonDialogForm(std::string name, CommonDialogRequest request);
    // Loads the form, shows it modally and returns the answer when it closed.
    CommonDialogAnswer Run();
    const CommonDialogRequest& Request() const { return request_; }

protected:
    // The design every dialog shares: a fixed dialog frame, pixels, the client size, the caption
    // (the request's title, or the kind's own).
    void DialogDesign(const std::string& defaultCaption, SIZE client);
    // Sizes the window so that its client area is the designed one, whatever the frame.
    void FitClientArea();
    void Confirm(CommonDialogAnswer answer);
    void Dismiss();

    CommonDialogRequest request_;
    CommonDialogAnswer answer_;
    SIZE client_{0, 0};
};

}  // namespace platform::forms
