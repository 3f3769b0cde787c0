// ListBox: a list of texts with item data. Setting ListIndex from code raises Click (always); the
// user's selection raises Click when it changes. MultiSelect 1 (simple) toggles an item per click or
// Space; 2 (extended) selects with Shift and Ctrl. ListIndex is the current item, which in a
// multi-select list need not be selected.
#pragma once

#include "platform/forms/list_items.h"
#include "platform/forms/scroll_model.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

class ListBox : public WindowedControl {
    int listIndex() const { return listIndex_; }
    void setListIndex(int value);
    int listCount() const { return items_.Count(); }
    int newIndex() const { return newIndex_; }
    int multiSelect() const { return multiSelect_; }
    void setMultiSelect(int value);
    int selCount() const;
    int topIndex() const { return topIndex_; }
    void setTopIndex(int value);
    std::string text() const { return items_.Valid(listIndex_) ? items_.At(listIndex_).text : std::string(); }
    std::string list(int index) const { return items_.Valid(index) ? items_.At(index).text : std::string(); }
    void setList(int index, std::string value);
    LONG itemData(int index) const;
    void setItemData(int index, LONG value);
    bool selected(int index) const;
    void setSelected(int index, bool value);

public:
    ListBox(ContainerRef container, std::string name, int index = -1);

    Prop<&ListBox::listIndex, &ListBox::setListIndex> ListIndex{this};
    Prop<&ListBox::listCount> ListCount{this};
    Prop<&ListBox::newIndex> NewIndex{this};
    Prop<&ListBox::multiSelect, &ListBox::setMultiSelect> MultiSelect{this};  // design time
    Prop<&ListBox::selCount> SelCount{this};
    Prop<&ListBox::topIndex, &ListBox::setTopIndex> TopIndex{this};
    Prop<&ListBox::text> Text{this};

    IndexedProp<&ListBox::list, &ListBox::setList> List(int index) { return {this, index}; }
    IndexedProp<&ListBox::itemData, &ListBox::setItemData> ItemData(int index) { return {this, index}; }
    IndexedProp<&ListBox::selected, &ListBox::setSelected> Selected(int index) { return {this, index}; }

    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;
    void HandleDoubleClick(int button, int shift, POINT px) override;

    // Toolkit side.
    const ListItems& Items() const { return items_; }

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    const char* ClassName() const override { return "OzrListBox"; }
    void Clicked() override {}  // Click comes from the selection
    void OnKey(int keyCode, int shift) override;
    void OnChar(unsigned codepoint) override;
    void OnTimerTick(UINT_PTR id) override;
    void AppearanceChanged() override;

private:
    int RowHeight() const;
    int VisibleRows() const;
    RECT ItemsRect() const;
    RECT ScrollBarRect() const;
    bool HasScrollBar() const;
    ScrollModel VerticalModel() const;
    int ItemAt(POINT px) const;
    void EnsureVisible(int index);
    // The user moved to an item: selects by the MultiSelect rules and raises Click on a change.
    void UserSelect(int index, int shift, bool toggle);
    void SelectOnly(int index);

    ListItems items_;
    int listIndex_ = -1;
    int newIndex_ = -1;
    int multiSelect_ = vbMultiSelectNone;
    int topIndex_ = 0;
    int anchor_ = -1;
    ScrollTracker tracker_;
};

}  // namespace platform::forms
