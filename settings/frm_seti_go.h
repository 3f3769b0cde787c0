// frmSetiGO: the general options page. Floating or systray clock, what a single and a double left
// click on the clock do, the floating clock on top (also over full-screen windows), its anchor on
// the screen (from a list, or picked with the mouse over a 3 x 3 grid), its visual effect (normal,
// colour-key transparent, translucent, or both) and the systray clock's transparent mode. Every
// choice shows on the clock at once; the settings file gets it on Apply.
#pragma once

#include <optional>

#include "platform/forms/check_box.h"
#include "platform/forms/combo_box.h"
#include "platform/forms/command_button.h"
#include "platform/forms/common_dialog.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/hscroll_bar.h"
#include "platform/forms/label.h"
#include "platform/forms/line.h"
#include "platform/forms/option_button.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"
#include "settings/color_key_controls.h"
#include "settings/page_boxes.h"

namespace settings {

inline constexpr const char* kGeneralOptionsHelpSection = "Popup Help System - Program Settings - General Options";

// The floating window's opacity bar covers this range.
inline constexpr int kFloatAlphaMin = 15;
inline constexpr int kFloatAlphaMax = 240;
// An opacity the bar cannot show: below the bar a clock would be all but invisible, so it becomes
// a plainly visible one; above the bar it becomes the bar's top.
inline constexpr int kFallbackFloatAlpha = 200;
int FloatAlphaForBar(int floatAlpha);

class frmSetiGOForm : public platform::forms::Form {
public:
    frmSetiGOForm();

    platform::forms::Frame frmGeneral{this, "frmGeneral"};
    platform::forms::Label lblClockSel{frmGeneral, "lblClockSel"};
    platform::forms::OptionButton optFloating{frmGeneral, "optFloating"};
    platform::forms::OptionButton optSystray{frmGeneral, "optSystray"};
    platform::forms::Label lblShortcuts{frmGeneral, "lblShortcuts"};
    platform::forms::Label lblShortcut{frmGeneral, "lblShortcut"};
    platform::forms::ComboBox ddlShortcut{frmGeneral, "ddlShortcut"};
    platform::forms::Label lblAction{frmGeneral, "lblAction"};
    platform::forms::ComboBox ddlEvent{frmGeneral, "ddlEvent"};

    platform::forms::Frame frmFloating{this, "frmFloating"};
    platform::forms::CheckBox chTop{frmFloating, "chTop"};
    platform::forms::CheckBox chTopFS{frmFloating, "chTopFS"};
    platform::forms::CheckBox chAnchor{frmFloating, "chAnchor"};
    platform::forms::ComboBox ddlHotspot{frmFloating, "ddlHotspot"};
    platform::forms::CommandButton cmdCustomize{frmFloating, "cmdCustomize"};
    platform::forms::Frame frmVisual{frmFloating, "frmVisual"};
    platform::forms::CheckBox chNormal{frmVisual, "chNormal"};
    platform::forms::CheckBox chTransp{frmVisual, "chTransp"};
    platform::forms::CheckBox chTransl{frmVisual, "chTransl"};
    platform::forms::CommandButton cmdColor{frmVisual, "cmdColor"};
    platform::forms::PictureBox pctColor{frmVisual, "pctColor"};
    platform::forms::Line Line1{frmVisual, "Line1"};
    platform::forms::Line Line2{frmVisual, "Line2"};
    platform::forms::Line Line3{frmVisual, "Line3"};
    platform::forms::Line Line4{frmVisual, "Line4"};
    platform::forms::Line Line5{frmVisual, "Line5"};
    platform::forms::Line Line6{frmVisual, "Line6"};
    platform::forms::Line Line7{frmVisual, "Line7"};
    platform::forms::Label lblOpacity{frmVisual, "lblOpacity"};
    platform::forms::HScrollBar scrOpacity{frmVisual, "scrOpacity"};

    platform::forms::Frame frmSystray{this, "frmSystray"};
    platform::forms::CheckBox chTransparent{frmSystray, "chTransparent"};

    // Drives the anchor picking; off otherwise.
    platform::forms::Timer Anchor{this, "Anchor"};
    platform::forms::CommonDialog CD{this, "CD"};

    // Whether an anchor picking runs (the marker is shown, the settings window hidden).
    bool Picking() const { return Anchor.Enabled; }

protected:
    void Design() override;
    void Form_Load() override;
    // A picking still running when the page goes (the settings window was closed meanwhile) ends
    // with it: the marker does not stay behind.
    void Form_Unload(int& Cancel) override;

private:
    void SetTexts();
    void SetAnchorTexts();
    void SetColors();
    void BindHelp();

    // Clock mode, mouse shortcut, topmost state, anchor (frm_seti_go.cpp).
    void optFloating_Click();
    void optSystray_Click();
    void ddlShortcut_Click();
    void ddlEvent_Click();
    void chTop_Click();
    void chTopFS_Click();
    void chAnchor_Click();
    void ddlHotspot_Click();
    void chTransparent_Click();
    // In systray mode a floating-only box refuses the change: an information box, and the box is
    // set back. True when it refused.
    bool RefusedInSystray(platform::forms::CheckBox& box);

    // Anchor picking (anchor_picking.cpp).
    void cmdCustomize_Click();
    void Anchor_Timer();
    void EndPicking();
    void StopPicking();

    // Visual effects (frm_seti_go_visuals.cpp).
    void chNormal_Click();
    void chTransp_Click();
    void chTransl_Click();
    void cmdColor_Click();
    void scrOpacity_Change();
    ColorKeyControls ColorKey();
    void ShowColorControls(bool shown);
    void TickTransparent();
    void UndoTransparent();
    void UntickTransparent();
    // An effect was unticked: the other one stays (as WindowType otherType with its opacity) when
    // its box is ticked, otherwise the clock turns normal.
    void KeepOtherEffect(platform::forms::CheckBox& other, int otherType, int otherOpacity);
    // The colour the user chose in the colour dialog, or nothing when he cancelled it; the settings
    // window is not topmost meanwhile, and afterwards the focus goes to `returnFocus`.
    std::optional<platform::COLORREF> AskColor(platform::COLORREF initial, platform::forms::CommandButton& returnFocus);
    bool LabelBackColorsMatchWindow() const;
    void MatchLabelBackColorsToWindow();
    // SLWA on the main window.
    void ApplyLayered(platform::COLORREF colorKey, int opacity, int flags);
    // Sets a box from code without its handler doing its work.
    void SetQuietly(platform::forms::CheckBox& box, int value);

    PageBoxes boxes_;
    bool pageLoading_ = false;
    int shortcutShown_ = 0;
    bool pickLeftDown_ = false;
    bool pickRightDown_ = false;
    bool pickDone_ = false;
};

frmSetiGOForm& frmSetiGO();

}  // namespace settings
