// frmSeti: the settings window. It hosts one page at a time beside the section tree, draws its own
// title bar (picture, title, close and minimise buttons), follows the colour scheme and may be
// translucent. The pages change the settings in memory at once; Apply saves them (settings file,
// alarm files, the autostart entry) and OK applies and closes; Cancel, the close button and Alt+F4
// read every file again and put back on the clock whatever differs from what was shown.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/forms/command_button.h"
#include "platform/forms/control_array.h"
#include "platform/forms/form.h"
#include "platform/forms/frame.h"
#include "platform/forms/image_list.h"
#include "platform/forms/label.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"
#include "platform/forms/tree_view.h"
#include "settings/page_boxes.h"
#include "settings/title_bar.h"

namespace settings {

inline constexpr const char* kSettingsWindowTitle = "OZR Ruriv Program Settings";
inline constexpr const char* kMainWindowHelpSection = "Popup Help System - Program Settings - Main Window";

class frmSetiForm : public platform::forms::Form {
public:
    frmSetiForm();

    platform::forms::PictureBox pctGradient{this, "pctGradient"};
    platform::forms::TreeView treeO{this, "treeO"};
    platform::forms::ImageList imgList{this, "imgList"};
    platform::forms::Frame frmDesc{this, "frmDesc"};
    platform::forms::Label lblDesc{frmDesc, "lblDesc"};
    platform::forms::ControlArray<platform::forms::Label> lblSection{frmDesc, "lblSection"};
    platform::forms::CommandButton cmdOkN{this, "cmdOkN"};
    platform::forms::CommandButton cmdApply{this, "cmdApply"};
    platform::forms::CommandButton cmdCancelN{this, "cmdCancelN"};
    platform::forms::Label lblOZR{this, "lblOZR"};
    platform::forms::Timer BodyMovin{this, "BodyMovin"};
    platform::forms::Timer Hover{this, "Hover"};

    // Topmost or not; neither moves nor sizes the window.
    void AlwaysOnTop(bool on);
    // The tree's and the buttons' texts; with reload the language is loaded again first and the
    // tree keeps its expanded groups and the page on show.
    void SetTexts(bool reload);
    // The colour scheme on the window and its title bar (pages colour themselves).
    void SetColors();
    // Hides the window, or shows it again in front.
    void SetAbsoluteAccess(bool hide);
    // Replaces the page on show; nullptr only takes the page away.
    void ShowSubWindow(platform::forms::Form* page, bool focusPage);
    // The cancel path, as Alt+F4.
    void CloseWindow();
    // Where the window stands unless maximised, into PX and PY.
    void KeepPlace();

    // What the title bar shows and which node is drawn highlighted (1-based; 0 none).
    const std::string& SectionTitle() const { return sectionTitle_; }
    // The picture beside the title: the section's own, in every language.
    std::string SectionPictureFile() const;
    int HighlightedNodeIndex() const;
    const TitleBar& Bar() const { return titleBar_; }

protected:
    void Design() override;
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyDown(int& KeyCode, int Shift) override;
    platform::LRESULT OnMessage(platform::HWND hwnd, platform::UINT msg, platform::WPARAM wParam,
                                platform::LPARAM lParam) override;

private:
    // The section tree (frm_seti_tree.cpp).
    void BuildTree(bool noClick);
    void SelectNode(int index);
    // The node's text becomes the title, and its section what the title's picture shows.
    void ShowSectionOf(const platform::forms::Node& node);
    void treeO_NodeClick(platform::forms::Node& node);
    void treeO_LostFocus();
    void ShowPanel(const std::string& nodeKey);
    void ShowMainWindowHelp(platform::HWND control, const char* helpKey);

    // Apply, OK and Cancel (frm_seti_apply.cpp).
    bool ApplyChanges();
    bool ConfirmCancel();
    bool WriteAutostart();
    void cmdOkN_Click();
    void cmdApply_Click();
    void cmdCancelN_Click();

    TitleBarContent TitleContent();
    void ForwardKey(int& keyCode, int shift) { Form_KeyDown(keyCode, shift); }

    TitleBar titleBar_;
    PageBoxes boxes_;
    std::string sectionTitle_;
    std::string sectionKey_;  // the title's text key: its picture stays when the language changes
    platform::forms::Node* highlighted_ = nullptr;
    std::vector<bool> nodeExpandedStates_;
};

frmSetiForm& frmSeti();

}  // namespace settings
