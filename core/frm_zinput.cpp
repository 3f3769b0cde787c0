#include "core/frm_zinput.h"

#include <string>

#include "core/globals.h"
#include "platform/forms/constants.h"

namespace core {
namespace {

using namespace platform::forms;

struct InputColors {
    platform::COLORREF back, text, button;
};

// By ColorScheme 1 to 3; any other scheme keeps the design colours.
constexpr InputColors kSchemes[] = {
    {0x000000, 0x00FF00, 0x00FF00},
    {0x4C3C19, 0xFFFFFF, 0xFFFFFF},
    {0xC8D0D4, 0x000000, 0xC8D0D4},
};

}  // namespace

frmZInputForm::frmZInputForm() : Form("frmZInput") {
    OZR_HANDLE(cmdOk, Click);
    OZR_HANDLE(cmdCancel, Click);
    Focuser.Tick = [this] { Focuser_Timer(); };
}

void frmZInputForm::Design() {
    Caption = "Input";
    BorderStyle = vbFixedDialog;
    ShowInTaskbar = false;
    Width = 4815;
    Height = 1890;
    lblText.Caption = "Prompt";
    lblText.Move(120, 120, 4455, 255);
    txtInput.Move(120, 435, 4455, 315);
    txtInput.PastedLinesJoined = true;  // a pasted name keeps all of its lines
    cmdOk.Caption = "OK";
    cmdOk.Default = true;
    cmdOk.Move(2160, 870, 1155, 345);
    cmdCancel.Caption = "Cancel";
    cmdCancel.Cancel = true;
    cmdCancel.Move(3420, 870, 1155, 345);
    Focuser.Interval = 1;
    Focuser.Enabled = true;
}

void frmZInputForm::SetTexts(const std::string& caption, const std::string& prompt, const std::string& defaultText,
                             const std::string& okCaption, const std::string& cancelCaption) {
    Caption = caption;
    lblText.Caption = prompt;
    txtInput.Text = defaultText;
    txtInput.SelStart = 0;
    txtInput.SelLength = static_cast<int>(defaultText.size());
    cmdOk.Caption = okCaption;
    cmdCancel.Caption = cancelCaption;
}

void frmZInputForm::SetProperties(std::int32_t x, std::int32_t y) {
    Left = x - Width / 2;
    Top = y - Height / 2;
}

void frmZInputForm::SetOnTop(bool on) {
    platform::SetWindowPos(hWnd, on ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST, 0, 0, 0, 0,
                           platform::SWP_NOMOVE | platform::SWP_NOSIZE);
}

void frmZInputForm::SetColors() {
    if (Settings.ColorScheme < 1 || Settings.ColorScheme > 3) return;
    const InputColors& c = kSchemes[Settings.ColorScheme - 1];
    BackColor = c.back;
    ForeColor = c.text;
    lblText.BackColor = c.back;
    lblText.ForeColor = c.text;
    cmdOk.BackColor = c.button;
    cmdCancel.BackColor = c.button;
}

void frmZInputForm::Form_Load() {
    if (Settings.AlwaysOnTopWindows) SetOnTop(true);
    SetColors();
    InputResultCode = kInputOpen;
}

void frmZInputForm::Focuser_Timer() {
    Focuser.Enabled = false;
    txtInput.SetFocus();
}

void frmZInputForm::cmdOk_Click() {
    InputResultText = txtInput.Text;
    InputResultCode = kInputOk;
    Unload();
}

void frmZInputForm::cmdCancel_Click() {
    InputResultText.clear();
    InputResultCode = kInputCancelled;
    Unload();
}

void frmZInputForm::Form_Unload(int&) {
    if (InputResultCode == kInputOpen) InputResultCode = kInputCancelled;
    // CR LF pairs and lone CRs and LFs alike: the answer may become a section name, where a line
    // break would cut the file's line in two.
    std::erase_if(InputResultText, [](char c) { return c == '\r' || c == '\n'; });
}

frmZInputForm& frmZInput() {
    static frmZInputForm form;
    return form;
}

}  // namespace core
