#include "settings/frm_seti_ev.h"

#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/md5.h"
#include "core/popup_help.h"
#include "platform/window/window.h"
#include "settings/account_name.h"
#include "settings/password_edit.h"
#include "settings/server_lists.h"
#include "settings/settings_pages.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

namespace {

// The three answers to an older online list, with their value of Confirmation.
struct ConflictOption {
    std::int16_t confirmation;
    OptionButton frmSetiEVForm::*option;
    const char* helpKey;
};
constexpr ConflictOption kConflictOptions[] = {
    {1, &frmSetiEVForm::optConfirmation, "1704optConfirmation"},
    {2, &frmSetiEVForm::optNothing, "1705optNothing"},
    {3, &frmSetiEVForm::optOverwrite, "1706optOverwrite"},
};

}  // namespace

frmSetiEVForm::frmSetiEVForm() : Form("frmSetiEV"), boxes_(*this, core::kAnywhereSection) {
    OZR_HANDLE(ddlServers, GotFocus);
    OZR_HANDLE(ddlServers, Click);
    OZR_HANDLE(txtPassword, GotFocus);
    OZR_HANDLE(txtPassword, Change);
    OZR_HANDLE(txtUsername, GotFocus);
    OZR_HANDLE(txtUsername, LostFocus);
    for (const ConflictOption& o : kConflictOptions) {
        OptionButton& option = this->*o.option;
        option.Click = [confirmation = o.confirmation] { Settings.Confirmation = confirmation; };
        ShowHelpOnMouseMove(option, o.helpKey);
    }
    ShowHelpOnMouseMove(txtUsername, "1702txtUsername");
    ShowHelpOnMouseMove(txtPassword, "1703txtPassword");
}

frmSetiEVForm& frmSetiEV() {
    static frmSetiEVForm form;
    return form;
}

void frmSetiEVForm::Design() {
    DesignPage(*this);
    frmAnywhere.Move(240, 240, 5490, 5940);
    lblPreferred.Move(240, 300, 5010, 240);
    ddlServers.Move(240, 600, 5010, 315);
    lblUsername.Move(240, 1140, 1560, 240);
    txtUsername.Move(1860, 1110, 3390, 300);
    lblPassword.Move(240, 1560, 1560, 240);
    txtPassword.Move(1860, 1530, 3390, 300);
    txtPassword.PasswordChar = "*";
    lblNote.Move(240, 1980, 5010, 720);
    lblNote.WordWrap = true;
    lblOlder.Move(240, 2820, 5010, 240);
    optConfirmation.Move(360, 3120, 4890, 300);
    optNothing.Move(360, 3480, 4890, 300);
    optOverwrite.Move(360, 3840, 4890, 300);
    lblAttention.Move(240, 4320, 5010, 1500);
    lblAttention.WordWrap = true;
}

void frmSetiEVForm::Form_Load() {
    core::HelpFile.SelectSection(kAnywhereHelpSection);
    // Without an account there is no stored password to warn about.
    passwordWarningShown_ = Settings.Username.empty();
    PlacePage(*this);
    SetColors();
    SetTexts();
    ddlServers.Clear();
    std::vector<std::string> lines = AnywhereServerLines(kAnywhereServerListPath);
    const int line = StorageServerLine(lines, Settings.ServerURL, Settings.AnywhereServer);
    for (const std::string& server : lines) ddlServers.AddItem(server);
    // No line at all selects nothing and leaves the stored server as it is.
    if (line >= 0) ddlServers.ListIndex = line;
    pageLoading_ = true;
    txtUsername.Text = Settings.Username;
    placeholderShown_ = !Settings.Password.empty();
    txtPassword.Text = placeholderShown_ ? kPasswordPlaceholder : "";
    pageLoading_ = false;
    for (const ConflictOption& o : kConflictOptions)
        if (Settings.Confirmation == o.confirmation) (this->*o.option).Value = true;
}

void frmSetiEVForm::SetTexts() {
    core::LanguageFile.SelectSection(core::kAnywhereSection);
    frmAnywhere.Caption = core::LanguageFile.ReadString("Settings");
    const struct {
        Label* label;
        const char* key;
    } labels[] = {
        {&lblPreferred, "Preferred"}, {&lblUsername, "Username"}, {&lblPassword, "Password"},
        {&lblNote, "Note"},           {&lblOlder, "Older"},       {&lblAttention, "Attention"},
    };
    for (const auto& l : labels) l.label->Caption = core::LanguageFile.ReadString(l.key);
    optConfirmation.Caption = core::LanguageFile.ReadString("Confirmation");
    optNothing.Caption = core::LanguageFile.ReadString("Nothing");
    optOverwrite.Caption = core::LanguageFile.ReadString("Overwrite");
}

void frmSetiEVForm::SetColors() {
    auto palette = CurrentPalette();
    if (!palette) return;
    BackColor = palette->back;
    ColorControls({&frmAnywhere, &lblPreferred, &lblUsername, &lblPassword, &lblNote, &lblOlder, &optConfirmation,
                   &optNothing, &optOverwrite, &lblAttention},
                  *palette);
}

void frmSetiEVForm::ddlServers_GotFocus() { core::ShowHelp(ddlServers.hWnd, "1701ddlServers", true); }

void frmSetiEVForm::ddlServers_Click() {
    ddlServers_GotFocus();
    if (ddlServers.ListIndex < 0) return;
    Settings.AnywhereServer = static_cast<std::int16_t>(ddlServers.ListIndex);
    Settings.ServerURL = ddlServers.Text;
}

// The warning is marked shown before the box: the box's closing gives the focus back here.
void frmSetiEVForm::txtPassword_GotFocus() {
    if (passwordWarningShown_) return;
    passwordWarningShown_ = true;
    boxes_.Inform("PasswordWarning");
}

// Keys that change nothing (Tab, Shift, the arrows) change nothing here either. The first edit of
// the placeholder keeps only what was typed; every edit stores the digest of the box's text.
void frmSetiEVForm::txtPassword_Change() {
    if (pageLoading_) return;
    if (placeholderShown_) {
        placeholderShown_ = false;
        const std::string typed = ReplacePlaceholder(kPasswordPlaceholder, txtPassword.Text);
        txtPassword.Text = typed;
        txtPassword.SelStart = static_cast<int>(typed.size());
    }
    Settings.Password = core::CMD5().MD5(std::string(txtPassword.Text));
}

void frmSetiEVForm::txtUsername_GotFocus() {
    if (unicityWarningShown_ || !Settings.Username.empty() || !std::string(txtUsername.Text).empty()) return;
    unicityWarningShown_ = true;
    boxes_.Inform("PasswordUnicityWarning");
}

// The box keeps the name as typed; the account is its lower-case form.
void frmSetiEVForm::txtUsername_LostFocus() {
    Settings.Username = AccountNameOf(txtUsername.Text);
    core::OnlineUserChanged = Settings.Username != AccountNameOf(core::UsernameAtLastLoadOrApply);
}

}  // namespace settings
