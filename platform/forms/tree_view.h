// TreeView: a hierarchy of nodes with pictures from an ImageList, lines, and plus and minus boxes.
//
// The user selects a node by clicking its picture or text, or with Up, Down, Home, End, Page Up and
// Page Down; each such choice raises NodeClick, also when the node was selected already. Selecting
// from code (SelectedItem, Node.Selected) raises none. A click on a plus or minus box, a double
// click on a node with children, Right and Left, "+" and "-" expand and collapse nodes; Expand and
// Collapse are raised for every change, from code too. Collapsing a node that holds the selected
// node selects the collapsed node. With HideSelection (the default) the selected node is drawn
// highlighted only while the tree has the focus.
//
// Indentation is in the container's scale; it is at least 16 pixels, the room a plus box needs.
// LineStyle tvwTreeLines joins children to their parents; tvwRootLines also joins the root nodes and
// gives them plus boxes.
#pragma once

#include "platform/forms/scroll_model.h"
#include "platform/forms/tree_nodes.h"
#include "platform/forms/windowed_control.h"

namespace platform::forms {

constexpr int tvwTreeLines = 0;
constexpr int tvwRootLines = 1;

class TreeView : public WindowedControl {
    forms::ImageList* imageList() const { return imageList_; }
    void setImageList(forms::ImageList* value);
    int indentation() const { return ToScale(indentPx_); }
    void setIndentation(int value);
    int lineStyle() const { return lineStyle_; }
    void setLineStyle(int value);
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool value);
    Node* selectedItem() const { return selected_; }
    void setSelectedItem(Node* value);

public:
    TreeView(ContainerRef container, std::string name, int index = -1);

    Prop<&TreeView::imageList, &TreeView::setImageList> ImageList{this};
    Prop<&TreeView::indentation, &TreeView::setIndentation> Indentation{this};
    Prop<&TreeView::lineStyle, &TreeView::setLineStyle> LineStyle{this};
    Prop<&TreeView::hideSelection, &TreeView::setHideSelection> HideSelection{this};
    Prop<&TreeView::selectedItem, &TreeView::setSelectedItem> SelectedItem{this};

    NodeCollection Nodes{*this};

    Event<Node&> NodeClick;
    Event<Node&> Expand;
    Event<Node&> Collapse;

    void PaintLook(Painter& painter) override;
    void HandleMouseDown(int button, int shift, POINT px) override;
    void HandleMouseMove(int buttons, int shift, POINT px) override;
    void HandleMouseUp(int button, int shift, POINT px, bool inside) override;
    void HandleDoubleClick(int button, int shift, POINT px) override;

    // Toolkit side, for the nodes.
    void NodeChanged() { Invalidate(); }
    void SetNodeExpanded(Node& node, bool expanded);
    void SelectNode(Node* node);
    void ScrollIntoView(const Node& node);
    void NodeRemoved(const Node& node);
    // The picture of an image key; raises an error when the tree has no image list or the key is unknown.
    void CheckImageKey(const std::string& key) const;
    // The row of a node among the nodes shown (through expanded nodes), or -1 under a collapsed one;
    // its rectangle in the control's pixels (outside the control when it is scrolled away).
    int RowOfNode(const Node& node) const;
    RECT RowRect(int row) const;
    // The rectangle of a shown node's text (with its highlight margin) in the control's pixels; empty
    // when the node is under a collapsed one.
    RECT NodeLabelRect(const Node& node) const;
    int RowHeight() const;
    int TopRow() const { return topRow_; }

protected:
    void ResetToDesign() override;
    const char* ClassName() const override { return "OzrTreeView"; }
    void Clicked() override;
    void OnKey(int keyCode, int shift) override;
    void OnChar(unsigned codepoint) override;
    void OnTimerTick(UINT_PTR id) override;

private:
    enum class Part { None, Button, Label };
    struct Hit {
        Node* node = nullptr;
        Part part = Part::None;
    };

    int IndentPx() const;
    int LevelOffset() const { return lineStyle_ == tvwRootLines ? 1 : 0; }
    // Rows, nodes and labels are laid out in the items' area (inside the frame, left of the bar).
    RECT LocalRowRect(int row) const;
    int NodeX(const Node& node) const;  // where the node's picture starts
    SIZE ImageBox() const;
    RECT LabelRect(const Node& node, int row) const;
    RECT ItemsRect() const;
    RECT ScrollBarRect() const;
    int VisibleRows() const;
    bool HasScrollBar() const;
    ScrollModel VerticalModel() const;
    void SetTopRow(int value);
    Hit HitTest(POINT px) const;
    bool ShowsButton(const Node& node) const;
    // The user chose a node: select it, bring it into view, raise NodeClick.
    void UserChoose(Node* node);
    void PaintNode(Painter& painter, Node& node, int row);
    void PaintLines(Painter& painter, const Node& node, const RECT& row);

    forms::ImageList* imageList_ = nullptr;
    int indentPx_ = 19;
    int lineStyle_ = tvwTreeLines;
    bool hideSelection_ = true;
    Node* selected_ = nullptr;
    Node* pressed_ = nullptr;    // the label a left press began on
    Node* clickNode_ = nullptr;  // the label a left click was on, while the click is raised
    int topRow_ = 0;
    ScrollTracker tracker_;
    mutable FontDescription measuredFont_;  // the font the text height was measured for
    mutable int textHeight_ = -1;
};

}  // namespace platform::forms
