// The label page's script box, with quick insert and the predefined scripts.
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "settings/frm_seti_lc.h"

namespace settings {

using namespace platform::forms;

namespace {

// Whether a list entry is one of a language section's headings (which only group the entries).
bool IsHeading(const std::string& entry, const char* section, std::initializer_list<const char*> headingKeys) {
    for (const char* key : headingKeys)
        if (entry == core::LanguageFile.ReadText(section, key)) return true;
    return false;
}

}  // namespace

void frmSetiLCForm::WireScripts() {
    OZR_HANDLE(txtCLS, Change);
    OZR_HANDLE(ddlQuick, Click);
    OZR_HANDLE(ddlPre, Click);
    ddlQuick.GotFocus = [this] { core::ShowHelp(ddlQuick.hWnd, "0417ddlQuick", true); };
    ddlPre.GotFocus = [this] { core::ShowHelp(ddlPre.hWnd, "0418ddlPre", true); };
}

void frmSetiLCForm::txtCLS_Change() {
    if (pageLoading_) return;
    const std::optional<int> index = SelectedLabel();
    if (!index) return;
    // A script is never empty.
    if (txtCLS.Text().find_first_not_of(' ') == std::string::npos) {
        pageLoading_ = true;
        txtCLS.Text = "?";
        txtCLS.SelStart = 1;
        pageLoading_ = false;
    }
    scriptSetsAlignment_ = true;
    OptionButton* options[] = {&optLeft, &optCenter, &optRight};
    options[static_cast<int>(AlignmentOfScript(txtCLS.Text))]->Value = true;
    scriptSetsAlignment_ = false;
    core::Labels[static_cast<std::size_t>(*index)].SpawnString = txtCLS.Text;
    SendLabelToHook(*index);
}

void frmSetiLCForm::ddlQuick_Click() {
    if (ddlQuick.ListIndex <= 0) return;
    if (IsHeading(ddlQuick.Text, core::kQuickInsertSection, {"Separators", "Time", "Date"})) {
        ddlQuick.ListIndex = 0;
        return;
    }
    // Appended wherever the caret is.
    txtCLS.Text = txtCLS.Text() + QuickInsertToken(ddlQuick.Text);
    core::ShowHelp(ddlQuick.hWnd, "0417ddlQuick", true);
}

void frmSetiLCForm::ddlPre_Click() {
    if (ddlPre.ListIndex <= 0) return;
    if (IsHeading(ddlPre.Text, core::kScriptsSection, {"Predefined", "Time", "Date"})) {
        ddlPre.ListIndex = 0;
        return;
    }
    // An item without a script has nothing to offer: no question, no change.
    if (const std::optional<std::string> script = PredefinedScript(ddlPre.Text)) {
        if (boxes_.Ask("Script Change Warning Message"))
            txtCLS.Text = *script;
        else
            txtCLS.Text = txtCLS.Text() + *script;
    }
    core::ShowHelp(ddlPre.hWnd, "0418ddlPre", true);
}

}  // namespace settings
