#include "settings/frm_seti.h"

#include "core/debug_log.h"
#include "core/firings_while_open.h"
#include "core/frm_intro_window.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/library_binding.h"
#include "core/window_placement.h"
#include "settings/page_palette.h"
#include "settings/settings_tree.h"

namespace settings {

using namespace platform::forms;
using core::Settings;

frmSetiForm::frmSetiForm()
    : Form("frmSeti"),
      titleBar_(*this, pctGradient, BodyMovin, Hover, kSettingsTitleBar),
      boxes_(*this, core::kSettingsControlsSection) {
    titleBar_.Content = [this] { return TitleContent(); };
    titleBar_.CloseClicked = [this] {
        if (ConfirmCancel()) Unload();
    };
    titleBar_.Moved = [this] {
        Settings.PX = Left;
        Settings.PY = Top;
    };
    treeO.NodeClick = [this](Node& node) { treeO_NodeClick(node); };
    treeO.LostFocus = [this] { treeO_LostFocus(); };
    treeO.MouseMove = [this](int, int, int, int) { ShowMainWindowHelp(treeO.hWnd, "0001treeO"); };
    frmDesc.MouseMove = [this](int, int, int, int) { ShowMainWindowHelp(frmDesc.hWnd, "0002frmDesc"); };
    lblDesc.MouseMove = [this](int, int, int, int) { ShowMainWindowHelp(frmDesc.hWnd, "0002frmDesc"); };
    OZR_HANDLE(cmdOkN, Click);
    OZR_HANDLE(cmdApply, Click);
    OZR_HANDLE(cmdCancelN, Click);
    for (CommandButton* button : {&cmdOkN, &cmdApply, &cmdCancelN})
        button->KeyDown = [this](int& keyCode, int shift) { ForwardKey(keyCode, shift); };
    treeO.KeyDown = [this](int& keyCode, int shift) { ForwardKey(keyCode, shift); };
    pctGradient.KeyDown = [this](int& keyCode, int shift) { ForwardKey(keyCode, shift); };
}

frmSetiForm& frmSeti() {
    static frmSetiForm form;
    return form;
}

void frmSetiForm::Design() {
    Caption = kSettingsWindowTitle;
    BorderStyle = vbBSNone;
    ScaleMode = vbPixels;
    Width = 9300;
    Height = 6900;

    pctGradient.Move(0, 0, 620, 27);
    pctGradient.BorderStyle = 0;
    pctGradient.TabStop = false;

    treeO.Move(1, 28, 218, 407);
    treeO.Indentation = 5;
    treeO.LineStyle = tvwRootLines;
    treeO.FontName = "Arial";
    treeO.FontSize = 9;
    treeO.HideSelection = false;

    frmDesc.Move(220, 27, 398, 431);
    frmDesc.Caption = "";
    lblDesc.Move(240, 300, 5490, 1800);
    lblDesc.WordWrap = true;
    for (int i = 0; i < 6; ++i) {
        lblSection.Load(i);
        lblSection(i).Move(480, 2250 + i * 600, 5250, 480);
        lblSection(i).WordWrap = true;
    }

    cmdOkN.Move(1, 437, 72, 22);
    cmdOkN.ToolTipText = "Saves the modifications you made";
    cmdApply.Move(74, 437, 72, 22);
    cmdApply.ToolTipText = "Saves the modifications you made and keeps this window open";
    cmdCancelN.Move(147, 437, 72, 22);
    cmdCancelN.ToolTipText = "Cancels any modifications you made";

    // The product mark sits in the page area, under the pages.
    lblOZR.Move(303, 415, 91, 12);
    lblOZR.Caption = "OZR Ruriv 2.7";
    lblOZR.FontSize = 7;

    BodyMovin.Interval = 1;
    BodyMovin.Enabled = false;
    Hover.Interval = 1;
    Hover.Enabled = false;
}

void frmSetiForm::Form_Load() {
    core::SettingsWindowOpen = true;
    core::ForgetFirings();
    core::UserClockPlace = {core::frmMain().Left, core::frmMain().Top};
    core::frmMain().GetScreenSize();
    // The whole window on the monitor it was on, so that its title bar can be taken: a saved
    // position past that monitor's edges (a smaller resolution) is pulled back, and one on no
    // monitor (its monitor is gone) comes onto the primary monitor.
    const platform::POINT saved{Settings.PX, Settings.PY};
    const platform::POINT at = KeptOnScreen(saved, Width, Height, MonitorTwipsOf(saved, Width, Height));
    Settings.PX = at.x;
    Settings.PY = at.y;
    Move(Settings.PX, Settings.PY);
    if (Settings.AlwaysOnTopWindows) AlwaysOnTop(true);
    titleBar_.Reset();
    core::AlarmsChanged = false;
    core::AlarmOrderChanged = false;
    SetTexts(false);
    SetColors();
    core::OZRSpecifyTooltipMasterWindow(hWnd);
    if (Settings.MenusTranslucent) {
        core::MakeLayered(hWnd);
        core::ApplyOpacity(hWnd, EffectiveMenusAlpha(Settings.MenusAlpha));
    }
    Show();
}

void frmSetiForm::Form_Unload(int&) {
    core::OZRRemovePopupHelp();
    core::SettingsWindowOpen = false;
    core::ModalWindowOpen = false;
    if (!core::CurrentPageName.empty()) ShowSubWindow(nullptr, false);
    highlighted_ = nullptr;
    if (!Settings.SystrayClock) {
        core::frmMain().Show();
        core::frmMain().SetFocus();
        core::frmMain().UpdateMainWindowAnchoring();
    }
}

void frmSetiForm::Form_KeyDown(int& KeyCode, int Shift) {
    if (KeyCode != platform::VK_F4 || Shift != vbAltMask) return;
    KeyCode = 0;  // this window closes its own way
    if (ConfirmCancel()) Unload();
}

platform::LRESULT frmSetiForm::OnMessage(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                         platform::LPARAM lParam) {
    // The desktop's close (the window manager, Alt+F4 from a page) takes the cancel path too.
    if (msg == platform::WM_CLOSE) {
        CloseWindow();
        return 0;
    }
    return Form::OnMessage(hwnd, msg, wParam, lParam);
}

void frmSetiForm::CloseWindow() {
    int keyCode = platform::VK_F4;
    Form_KeyDown(keyCode, vbAltMask);
}

void frmSetiForm::AlwaysOnTop(bool on) { core::SetTopmost(hWnd, on); }

void frmSetiForm::SetTexts(bool reload) {
    if (reload) {
        if (!core::LoadLanguageAndHelp()) {
            core::frmMain().EndProgram(1);
            return;
        }
        nodeExpandedStates_.assign(static_cast<std::size_t>(treeO.Nodes.Count) + 1, false);
        for (int i = 1; i <= treeO.Nodes.Count; ++i) nodeExpandedStates_[i] = treeO.Nodes(i).Expanded;
        core::TreeExpandNode = -1;
        core::TreeSelectNode = kLanguageNodeIndex;
        BuildTree(true);
        // The title bar names the section on show in the new language.
        SelectNode(core::TreeSelectNode);
    } else {
        BuildTree(false);
    }
    core::LanguageFile.SelectSection(core::kSettingsControlsSection);
    cmdOkN.Caption = core::LanguageFile.ReadString("Button Ok");
    cmdApply.Caption = core::LanguageFile.ReadString("Button Apply");
    cmdCancelN.Caption = core::LanguageFile.ReadString("Button Cancel");
    if (reload) Show();
}

void frmSetiForm::SetColors() {
    if (auto palette = SchemePalette(Settings.ColorScheme)) {
        BackColor = palette->back;
        ForeColor = palette->text;
        for (InteractiveControl* c : std::initializer_list<InteractiveControl*>{&frmDesc, &lblDesc, &lblOZR}) {
            c->BackColor = palette->back;
            c->ForeColor = palette->text;
        }
        for (CommandButton* button : {&cmdOkN, &cmdCancelN, &cmdApply}) button->BackColor = palette->button;
        for (int i = 0; i < 6; ++i) {
            lblSection(i).BackColor = palette->back;
            lblSection(i).ForeColor = palette->text;
        }
    } else {
        for (int i = 0; i < 6; ++i) {
            lblSection(i).BackColor = 0;
            lblSection(i).ForeColor = 0;
        }
    }
    titleBar_.Repaint();
}

void frmSetiForm::SetAbsoluteAccess(bool hide) {
    if (hide) {
        Hide();
        return;
    }
    Show();
    if (Settings.AlwaysOnTopWindows) AlwaysOnTop(true);
    if (!Settings.SystrayClock) core::frmMain().SetFocus();
    SetFocus();
}

void frmSetiForm::ShowSubWindow(Form* page, bool focusPage) {
    // A balloon speaks of what was on show: it goes with the page.
    core::OZRRemovePopupHelp();
    try {
        // The tree follows a page shown by code (the alarm wizard's start and end, the language page).
        if (page)
            if (int node = NodeIndexOfPage(page->Name())) SelectNode(node);
        const std::string shown = core::CurrentPageName;
        for (Form* loaded : Forms())
            if (!shown.empty() && loaded->Name() == shown) loaded->Unload();
        core::CurrentPageName.clear();
        if (!page) return;
        page->Load();
        platform::SetParent(page->hWnd, hWnd);
        core::CurrentPageName = page->Name();
        page->Show();
        // A page may show another page as it comes up (the wizard's last step saves at once and
        // shows the alarm manager): that page is the current one now.
        if (core::CurrentPageName != page->Name()) return;
        if (treeO.Visible) {
            if (focusPage)
                page->SetFocus();
            else
                treeO.SetFocus();
            AlwaysOnTop(true);
            if (!Settings.AlwaysOnTopWindows) AlwaysOnTop(false);
            if (Settings.FloatAlwaysOnTop) core::frmMain().AlwaysOnTop(true);
        }
    } catch (const platform::Error& e) {
        core::DebugLog(std::string("[frmSeti]: ShowSubWindow: ") + e.what());
    }
}

std::string frmSetiForm::SectionPictureFile() const { return SectionPictureOf(sectionKey_); }

TitleBarContent frmSetiForm::TitleContent() {
    TitleBarContent content;
    content.gradient = GradientFileForScheme(Settings.ColorScheme);
    content.icon = SectionPictureFile();
    content.title = sectionTitle_;
    content.textColor = TitleTextColor(ForeColor);
    return content;
}

}  // namespace settings
