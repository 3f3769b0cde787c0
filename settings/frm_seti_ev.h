// frmSetiEV: the online storage account page. The storage server, the account's user name and
// password, and what a download does with an online alarm list older than the local one. The
// password is never kept: the box shows a placeholder for a stored one, and every edit stores the
// MD5 digest of the box's text. A changed user name makes Apply ask whether to upload the alarms
// to the new account or download them from it.
#pragma once

#include <string>

#include "platform/forms/combo_box.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/option_button.h"
#include "platform/forms/text_box.h"
#include "settings/page_boxes.h"

namespace settings {

inline constexpr const char* kAnywhereHelpSection = "Popup Help System - OZR Ruriv Anywhere";

class frmSetiEVForm : public platform::forms::Form {
public:
    frmSetiEVForm();

    platform::forms::Frame frmAnywhere{this, "frmAnywhere"};
    platform::forms::Label lblPreferred{frmAnywhere, "lblPreferred"};
    platform::forms::ComboBox ddlServers{frmAnywhere, "ddlServers"};
    platform::forms::Label lblUsername{frmAnywhere, "lblUsername"};
    platform::forms::TextBox txtUsername{frmAnywhere, "txtUsername"};
    platform::forms::Label lblPassword{frmAnywhere, "lblPassword"};
    platform::forms::TextBox txtPassword{frmAnywhere, "txtPassword"};
    platform::forms::Label lblNote{frmAnywhere, "lblNote"};
    platform::forms::Label lblOlder{frmAnywhere, "lblOlder"};
    platform::forms::OptionButton optConfirmation{frmAnywhere, "optConfirmation"};
    platform::forms::OptionButton optNothing{frmAnywhere, "optNothing"};
    platform::forms::OptionButton optOverwrite{frmAnywhere, "optOverwrite"};
    platform::forms::Label lblAttention{frmAnywhere, "lblAttention"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetTexts();
    void SetColors();
    void ddlServers_GotFocus();
    void ddlServers_Click();
    void txtPassword_GotFocus();
    void txtPassword_Change();
    void txtUsername_GotFocus();
    void txtUsername_LostFocus();

    PageBoxes boxes_;
    bool pageLoading_ = false;
    // The page object lives for the whole run; its window only while it is shown.
    bool placeholderShown_ = false;       // the password box still shows the stored password's placeholder
    bool passwordWarningShown_ = false;   // in this showing, or not to be shown (no account)
    bool unicityWarningShown_ = false;    // once per run
};

frmSetiEVForm& frmSetiEV();

}  // namespace settings
