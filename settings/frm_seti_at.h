// frmSetiAT: the time synchronisation page. Whether and how often the clock asks a time server,
// whether it does so at start-up, the preferred server, what a silent server leads to, and the
// minutes the clock is kept ahead or late. Ticking periodic synchronisation and choosing a server
// act on the main window at once; "Synchronize now" asks the chosen server at once.
#pragma once

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/label.h"
#include "platform/forms/option_button.h"
#include "platform/forms/text_box.h"
#include "settings/number_box.h"

namespace settings {

inline constexpr const char* kTimeSyncHelpSection = "Popup Help System - Atomic Ruriv";

class frmSetiATForm : public platform::forms::Form {
public:
    frmSetiATForm();

    platform::forms::Frame frmGeneral{this, "frmGeneral"};
    platform::forms::Label lblSync{frmGeneral, "lblSync"};
    platform::forms::CheckBox chEvery{frmGeneral, "chEvery"};
    platform::forms::CommandButton cmdEveryM{frmGeneral, "cmdEveryM"};
    platform::forms::TextBox txtEvery{frmGeneral, "txtEvery"};
    platform::forms::CommandButton cmdEveryP{frmGeneral, "cmdEveryP"};
    platform::forms::Label lblMinutes{frmGeneral, "lblMinutes"};
    platform::forms::CheckBox chStartup{frmGeneral, "chStartup"};
    platform::forms::Label lblPreferred{frmGeneral, "lblPreferred"};
    platform::forms::ComboBox ddlServers{frmGeneral, "ddlServers"};
    platform::forms::CommandButton cmdSync{frmGeneral, "cmdSync"};
    platform::forms::Label lblTimeout{frmGeneral, "lblTimeout"};
    platform::forms::CheckBox chTry{frmGeneral, "chTry"};
    platform::forms::CheckBox chRemember{frmGeneral, "chRemember"};
    platform::forms::Label lblRetries{frmGeneral, "lblRetries"};
    platform::forms::CommandButton cmdRetriesM{frmGeneral, "cmdRetriesM"};
    platform::forms::TextBox txtRetries{frmGeneral, "txtRetries"};
    platform::forms::CommandButton cmdRetriesP{frmGeneral, "cmdRetriesP"};
    platform::forms::Label lblKeep{frmGeneral, "lblKeep"};
    platform::forms::OptionButton optAhead{frmGeneral, "optAhead"};
    platform::forms::CommandButton cmdMinutesAheadM{frmGeneral, "cmdMinutesAheadM"};
    platform::forms::TextBox txtMinutesAhead{frmGeneral, "txtMinutesAhead"};
    platform::forms::CommandButton cmdMinutesAheadP{frmGeneral, "cmdMinutesAheadP"};
    platform::forms::Label lblMinutesAhead{frmGeneral, "lblMinutesAhead"};
    platform::forms::OptionButton optLate{frmGeneral, "optLate"};
    platform::forms::CommandButton cmdMinutesLateM{frmGeneral, "cmdMinutesLateM"};
    platform::forms::TextBox txtMinutesLate{frmGeneral, "txtMinutesLate"};
    platform::forms::CommandButton cmdMinutesLateP{frmGeneral, "cmdMinutesLateP"};
    platform::forms::Label lblMinutesLate{frmGeneral, "lblMinutesLate"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void SetTexts();
    void SetColors();
    void FillServers();
    void optAhead_Click();
    void optLate_Click();
    void ddlServers_GotFocus();
    void ddlServers_Click();
    void cmdSync_Click();

    bool pageLoading_ = false;
    NumberBox every_;
    NumberBox retries_;
    NumberBox minutesAhead_;
    NumberBox minutesLate_;
};

frmSetiATForm& frmSetiAT();

}  // namespace settings
