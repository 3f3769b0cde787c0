// Stand-ins for the settings window and the about window: each is an empty window with the
// design's title that keeps the flags and the window order the commands rely on, and closes with
// its close box or Alt+F4 (the about window also with its Close button).
#include "core/settings_windows.h"

#include "core/globals.h"
#include "core/library_binding.h"
#include "platform/forms/command_button.h"
#include "platform/forms/constants.h"
#include "platform/forms/form.h"

namespace core {
namespace {

using namespace platform::forms;

void PlaceOnTop(platform::HWND hwnd, bool on) {
    platform::SetWindowPos(hwnd, on ? platform::HWND_TOPMOST : platform::HWND_NOTOPMOST, 0, 0, 0, 0,
                           platform::SWP_NOMOVE | platform::SWP_NOSIZE);
}

class frmSetiForm : public Form {
public:
    frmSetiForm() : Form("frmSeti") {}
    std::int16_t SelectedNode = 0;

protected:
    void Design() override {
        Caption = "OZR Ruriv Program Settings";
        BorderStyle = vbFixedSingle;
        StartUpPosition = vbStartUpScreen;
        Width = 9300;
        Height = 6900;
    }
    void Form_Load() override {
        SettingsWindowOpen = true;
        PlaceOnTop(hWnd, Settings.AlwaysOnTopWindows);
        OZRSpecifyTooltipMasterWindow(hWnd);
        TreeExpandNode = -1;
        SelectedNode = TreeSelectNode;
        Show();
    }
    void Form_Unload(int&) override {
        OZRRemovePopupHelp();
        SettingsWindowOpen = false;
        ModalWindowOpen = false;
        SelectedNode = 0;
    }
};

class frmAboutForm : public Form {
public:
    frmAboutForm() : Form("frmAbout") { cmdClose.Click = [this] { Unload(); }; }
    CommandButton cmdClose{this, "cmdClose"};

protected:
    void Design() override {
        Caption = "About OZR Ruriv";
        BorderStyle = vbFixedSingle;
        StartUpPosition = vbStartUpScreen;
        Width = 7500;
        Height = 8250;
        cmdClose.Caption = "Close";
        cmdClose.Cancel = true;
        cmdClose.Left = 0;
        cmdClose.Top = 7905;
        cmdClose.Width = 7485;
        cmdClose.Height = 330;
    }
    void Form_Load() override { PlaceOnTop(hWnd, Settings.AlwaysOnTopWindows); }
    void Form_Unload(int&) override { ModalWindowOpen = false; }
};

frmSetiForm& frmSeti() {
    static frmSetiForm form;
    return form;
}

frmAboutForm& frmAbout() {
    static frmAboutForm form;
    return form;
}

}  // namespace

void LoadSettingsWindow() { frmSeti().Load(); }

void SettingsWindowAlwaysOnTop(bool on) {
    if (frmSeti().IsLoaded()) PlaceOnTop(frmSeti().hWnd, on);
}

void ShowAboutWindow() {
    frmAbout().Load();
    frmAbout().Show();
    frmAbout().cmdClose.SetFocus();
}

platform::HWND SettingsWindowHandle() { return frmSeti().IsLoaded() ? frmSeti().Window() : platform::HWND{}; }
platform::HWND AboutWindowHandle() { return frmAbout().IsLoaded() ? frmAbout().Window() : platform::HWND{}; }
std::int16_t SettingsWindowSelectedNode() { return frmSeti().SelectedNode; }

}  // namespace core
