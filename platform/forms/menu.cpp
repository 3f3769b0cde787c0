#include "platform/forms/menu.h"

#include <algorithm>

namespace platform::forms {

Menu::Menu(ContainerRef form, std::string name, int index) : Control(form, std::move(name), index) { Menu::ResetToDesign(); }

Menu::Menu(Menu& parent, std::string name, int index)
    : Control(ContainerRef(parent.ParentContainer()), std::move(name), index), parent_(&parent) {
    parent.items_.push_back(this);
    Menu::ResetToDesign();
}

Menu::~Menu() {
    if (parent_) parent_->items_.erase(std::remove(parent_->items_.begin(), parent_->items_.end(), this), parent_->items_.end());
    for (Menu* item : items_) item->parent_ = nullptr;
}

void Menu::ResetToDesign() {
    caption_ = Name();
    enabled_ = true;
    visible_ = true;
    checked_ = false;
    shortcut_.clear();
}

void Menu::CopyDesignFrom(const Control& other) {
    const auto& o = static_cast<const Menu&>(other);
    caption_ = o.caption_;
    enabled_ = o.enabled_;
    visible_ = o.visible_;
    checked_ = o.checked_;
    shortcut_ = o.shortcut_;
}

}  // namespace platform::forms
