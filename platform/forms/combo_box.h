// ComboBox as a drop-down list: the user picks one of its items from a list that drops below it, or
// steps through them with the arrow keys while it is closed. The list widens to its widest item,
// within the screen, so a long item that the closed box cuts reads whole while the user chooses. Setting ListIndex from code raises
// Click (always); the user's choice raises Click when it changes the item. Text is the chosen item's.
#pragma once

#include "platform/forms/list_items.h"
#include "platform/forms/popup_window.h"
#include "platform/forms/scroll_model.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

class ComboBox;

// The list that drops below a combo box.
class DropDownList : public PopupWindow {
public:
    explicit DropDownList(ComboBox& combo) : combo_(combo) {}
    void Open();
    void MoveHighlight(int index);
    int Highlight() const { return highlight_; }
    int MaxRows() const { return 8; }
    // As wide as the combo box, wider where an item needs it, so that every item reads whole.
    int Width() const;

protected:
    void PaintPopup(Painter& painter, const RECT& client) override;
    void PopupMouse(UINT msg, WPARAM wParam, POINT client, bool inside) override;
    void PopupTimer(UINT_PTR id) override;
    void Closed() override;

private:
    int Rows() const;
    RECT ScrollBarRect(const RECT& client) const;
    ScrollModel Model() const;

    ComboBox& combo_;
    int highlight_ = -1;
    int top_ = 0;
    ScrollTracker tracker_;
};

class ComboBox : public WindowedControl {
    int listIndex() const { return listIndex_; }
    void setListIndex(int value);
    int listCount() const { return items_.Count(); }
    int newIndex() const { return newIndex_; }
    std::string text() const { return items_.Valid(listIndex_) ? items_.At(listIndex_).text : std::string(); }
    std::string list(int index) const { return items_.Valid(index) ? items_.At(index).text : std::string(); }
    void setList(int index, std::string value);
    LONG itemData(int index) const;
    void setItemData(int index, LONG value);

public:
    ComboBox(ContainerRef container, std::string name, int index = -1);

    Prop<&ComboBox::listIndex, &ComboBox::setListIndex> ListIndex{this};
    Prop<&ComboBox::listCount> ListCount{this};
    Prop<&ComboBox::newIndex> NewIndex{this};
    Prop<&ComboBox::text> Text{this};

    IndexedProp<&ComboBox::list, &ComboBox::setList> List(int index) { return {this, index}; }
    IndexedProp<&ComboBox::itemData, &ComboBox::setItemData> ItemData(int index) { return {this, index}; }

    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;

    // Toolkit side (the drop-down list).
    const ListItems& Items() const { return items_; }
    const FontDescription& ItemFont() const { return font_; }
    int CurrentIndex() const { return listIndex_; }
    bool IsDroppedDown() const { return dropDown_.IsOpen(); }
    int DroppedWidth() const { return dropDown_.Width(); }
    void ChooseFromList(int index);

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    void WindowsDestroyed() override;
    const char* ClassName() const override { return "OzrComboBox"; }
    void Clicked() override {}  // Click comes from the choice
    bool WantsKey(int keyCode, int shift) const override;
    void OnKey(int keyCode, int shift) override;
    void OnChar(unsigned codepoint) override;
    void OnFocusChanged() override;

private:
    void UserChoose(int index);

    ListItems items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    DropDownList dropDown_{*this};
};

}  // namespace platform::forms
