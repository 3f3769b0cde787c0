// Menus of a form, shown as popups with Form::PopupMenu:
//
//   Menu mnuMain{this, "mnuMain"};                                // a menu of the form
//   Menu mncProgramSettings{mnuMain, "mncProgramSettings"};       // one of its items
//   mncProgramSettings.Caption = "Program &Settings";  mncProgramSettings.Shortcut = "F2";
//   frmMain.PopupMenu(frmMenuHost.mnuMain);
//
// "&" marks the access key of a caption ("&&" is a plain "&"); Shortcut is the key text the menu
// shows beside the caption. Menus are never drawn as a menu bar.
#pragma once

#include <vector>

#include "platform/forms/control.h"

namespace platform::forms {

class Menu : public Control {
    std::string caption() const { return caption_; }
    void setCaption(std::string value) { caption_ = std::move(value); }
    bool enabled() const { return enabled_; }
    void setEnabled(bool value) { enabled_ = value; }
    bool visible() const { return visible_; }
    void setVisible(bool value) { visible_ = value; }
    bool checked() const { return checked_; }
    void setChecked(bool value) { checked_ = value; }
    std::string shortcut() const { return shortcut_; }
    void setShortcut(std::string value) { shortcut_ = std::move(value); }

public:
    Menu(ContainerRef form, std::string name, int index = -1);
    Menu(Menu& parent, std::string name, int index = -1);
    ~Menu() override;

    Prop<&Menu::caption, &Menu::setCaption> Caption{this};
    Prop<&Menu::enabled, &Menu::setEnabled> Enabled{this};
    Prop<&Menu::visible, &Menu::setVisible> Visible{this};
    Prop<&Menu::checked, &Menu::setChecked> Checked{this};
    Prop<&Menu::shortcut, &Menu::setShortcut> Shortcut{this};

    Event<> Click;

    const std::vector<Menu*>& Items() const { return items_; }
    Menu* ParentMenu() const { return parent_; }

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;

private:
    Menu* parent_ = nullptr;
    std::vector<Menu*> items_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    bool checked_ = false;
    std::string shortcut_;
};

}  // namespace platform::forms
