#include "platform/forms/tree_view.h"

#include <algorithm>

#include "platform/forms/form.h"
#include "platform/forms/painter.h"

namespace platform::forms {

namespace {
constexpr int kBarWidth = 17;
constexpr int kMinIndent = 16;
constexpr int kBox = 9;  // the plus and minus box
constexpr int kTextGap = 3;

// Dotted lines keep their dots on even screen positions, so that the parts of one line join.
void DottedVertical(Painter& painter, int x, int y1, int y2) {
    for (int y = y1 + ((y1 ^ x) & 1); y < y2; y += 2) painter.FillRect(RECT{x, y, x + 1, y + 1}, vbButtonShadow);
}
void DottedHorizontal(Painter& painter, int x1, int x2, int y) {
    for (int x = x1 + ((x1 ^ y) & 1); x < x2; x += 2) painter.FillRect(RECT{x, y, x + 1, y + 1}, vbButtonShadow);
}

bool IsAncestor(const Node* ancestor, const Node* node) {
    for (const Node* p = node ? node->parent_ : nullptr; p; p = p->parent_)
        if (p == ancestor) return true;
    return false;
}

bool HasNextSibling(const Node& node) {
    const auto& s = node.Siblings();
    return !s.empty() && s.back() != &node;
}

bool HasPreviousSibling(const Node& node) {
    const auto& s = node.Siblings();
    return !s.empty() && s.front() != &node;
}
}  // namespace

TreeView::TreeView(ContainerRef container, std::string name, int index) : WindowedControl(container, std::move(name), index) {
    TreeView::ResetToDesign();
}

void TreeView::ResetToDesign() {
    WindowedControl::ResetToDesign();
    rect_ = RECT{0, 0, 160, 200};
    SetDefaultColors(vbWindowBackground, vbWindowText);
    Nodes.DetachAll();
    imageList_ = nullptr;
    indentPx_ = 19;
    lineStyle_ = tvwTreeLines;
    hideSelection_ = true;
    selected_ = nullptr;
    pressed_ = nullptr;
    clickNode_ = nullptr;
    topRow_ = 0;
}

// ---- Properties ----

void TreeView::setImageList(forms::ImageList* value) {
    imageList_ = value;
    Invalidate();
}

void TreeView::setIndentation(int value) {
    indentPx_ = std::max(0, ToPixels(value));
    Invalidate();
}

void TreeView::setLineStyle(int value) {
    lineStyle_ = value == tvwRootLines ? tvwRootLines : tvwTreeLines;
    Invalidate();
}

void TreeView::setHideSelection(bool value) {
    hideSelection_ = value;
    Invalidate();
}

void TreeView::setSelectedItem(Node* value) {
    if (value && !Nodes.Contains(value)) throw Error("The node is not in " + DisplayName());
    SelectNode(value);
}

void TreeView::CheckImageKey(const std::string& key) const {
    if (!imageList_) throw Error(DisplayName() + " has no image list for the image \"" + key + "\"");
    if (!imageList_->ListImages.Find(key))
        throw Error("The image \"" + key + "\" is not in " + imageList_->DisplayName() + " of " + DisplayName());
}

// ---- Nodes ----

void TreeView::SelectNode(Node* node) {
    selected_ = node;
    if (node) ScrollIntoView(*node);
    Invalidate();
}

void TreeView::SetNodeExpanded(Node& node, bool expanded) {
    if (node.IsExpanded() == expanded) return;
    node.SetExpandedFlag(expanded);
    if (!expanded && IsAncestor(&node, selected_)) selected_ = &node;
    SetTopRow(topRow_);
    Invalidate();
    if (!Live()) return;
    if (expanded)
        Expand(node);
    else
        Collapse(node);
}

void TreeView::NodeRemoved(const Node& node) {
    if (selected_ == &node) selected_ = nullptr;
    if (pressed_ == &node) pressed_ = nullptr;
    if (clickNode_ == &node) clickNode_ = nullptr;
}

void TreeView::ScrollIntoView(const Node& node) {
    int row = RowOfNode(node);
    if (row < 0) return;
    if (row < topRow_)
        SetTopRow(row);
    else if (row >= topRow_ + VisibleRows())
        SetTopRow(row - VisibleRows() + 1);
}

// ---- Layout ----

int TreeView::IndentPx() const { return std::max(kMinIndent, indentPx_); }

SIZE TreeView::ImageBox() const { return imageList_ ? imageList_->ImageSize() : SIZE{0, 0}; }

int TreeView::RowHeight() const {
    if (!(measuredFont_ == font_) || textHeight_ < 0) {
        FontDescription bold = font_;
        bold.bold = true;
        measuredFont_ = font_;
        textHeight_ = std::max(LineHeight(font_), LineHeight(bold));
    }
    return std::max(textHeight_, static_cast<int>(ImageBox().cy)) + 2;
}

RECT TreeView::ItemsRect() const {
    return RECT{1, 1, std::max(1, rect_.width() - 1 - (HasScrollBar() ? kBarWidth : 0)), std::max(1, rect_.height() - 1)};
}

int TreeView::VisibleRows() const { return std::max(1, (rect_.height() - 2) / RowHeight()); }

bool TreeView::HasScrollBar() const { return static_cast<int>(Nodes.VisibleOrder().size()) > VisibleRows(); }

RECT TreeView::ScrollBarRect() const {
    return RECT{rect_.width() - 1 - kBarWidth, 1, rect_.width() - 1, rect_.height() - 1};
}

ScrollModel TreeView::VerticalModel() const {
    ScrollModel m;
    m.vertical = true;
    m.min = 0;
    m.max = std::max(0, static_cast<int>(Nodes.VisibleOrder().size()) - VisibleRows());
    m.value = std::clamp(topRow_, m.min, m.max);
    m.smallChange = 1;
    m.largeChange = VisibleRows();
    return m;
}

void TreeView::SetTopRow(int value) {
    int max = std::max(0, static_cast<int>(Nodes.VisibleOrder().size()) - VisibleRows());
    int top = std::clamp(value, 0, max);
    if (top == topRow_) return;
    topRow_ = top;
    Invalidate();
}

int TreeView::RowOfNode(const Node& node) const {
    auto order = Nodes.VisibleOrder();
    auto it = std::find(order.begin(), order.end(), &node);
    return it == order.end() ? -1 : static_cast<int>(it - order.begin());
}

RECT TreeView::LocalRowRect(int row) const {
    int top = (row - topRow_) * RowHeight();
    return RECT{0, top, ItemsRect().width(), top + RowHeight()};
}

RECT TreeView::RowRect(int row) const {
    RECT items = ItemsRect();
    return OffsetRectBy(LocalRowRect(row), items.left, items.top);
}

RECT TreeView::NodeLabelRect(const Node& node) const {
    const int row = RowOfNode(node);
    if (row < 0) return RECT{};
    const RECT items = ItemsRect();
    return OffsetRectBy(LabelRect(node, row), items.left, items.top);
}

bool TreeView::ShowsButton(const Node& node) const { return node.parent_ || lineStyle_ == tvwRootLines; }

int TreeView::NodeX(const Node& node) const { return 2 + (node.Depth() + LevelOffset()) * IndentPx(); }

RECT TreeView::LabelRect(const Node& node, int row) const {
    RECT r = LocalRowRect(row);
    int x = NodeX(node) + (ImageBox().cx > 0 ? ImageBox().cx + kTextGap : 0);
    FontDescription f = font_;
    f.bold = node.IsBold();
    int w = MeasureText(f, node.TextValue()).cx;
    return RECT{x - 2, r.top, x + w + 2, r.bottom};
}

TreeView::Hit TreeView::HitTest(POINT px) const {
    RECT items = ItemsRect();
    if (!items.contains(px)) return {};
    px = POINT{px.x - items.left, px.y - items.top};
    int row = topRow_ + px.y / RowHeight();
    auto order = Nodes.VisibleOrder();
    if (row < 0 || row >= static_cast<int>(order.size())) return {};
    Node* node = order[static_cast<std::size_t>(row)];
    int x = NodeX(*node);
    if (px.x >= x - IndentPx() && px.x < x && ShowsButton(*node) && !node->children_.empty()) return {node, Part::Button};
    if (px.x >= x && px.x < LabelRect(*node, row).right) return {node, Part::Label};
    return {node, Part::None};
}

// ---- Input ----

void TreeView::UserChoose(Node* node) {
    if (!node) return;
    bool changed = node != selected_;
    SelectNode(node);
    if (changed && Live()) NodeClick(*node);
}

void TreeView::HandleMouseDown(int button, int shift, POINT px) {
    WindowedControl::HandleMouseDown(button, shift, px);
    if (button != vbLeftButton || !hwnd_) return;
    pressed_ = nullptr;
    if (HasScrollBar() && tracker_.Press(hwnd_, VerticalModel(), ScrollBarRect(), px, [this](int v) { SetTopRow(v); }))
        return;
    Hit hit = HitTest(px);
    if (hit.part == Part::Button) {
        SetNodeExpanded(*hit.node, !hit.node->IsExpanded());
    } else if (hit.part == Part::Label) {
        pressed_ = hit.node;
        SelectNode(hit.node);
    }
}

void TreeView::HandleMouseMove(int buttons, int shift, POINT px) {
    if (tracker_.Active()) tracker_.Move(VerticalModel(), ScrollBarRect(), px, [this](int v) { SetTopRow(v); });
    WindowedControl::HandleMouseMove(buttons, shift, px);
}

void TreeView::HandleMouseUp(int button, int shift, POINT px, bool inside) {
    if (button == vbLeftButton) {
        tracker_.Release(hwnd_);
        Hit hit = HitTest(px);
        clickNode_ = pressed_ && hit.node == pressed_ && hit.part == Part::Label ? pressed_ : nullptr;
        pressed_ = nullptr;
    }
    WindowedControl::HandleMouseUp(button, shift, px, inside);
    clickNode_ = nullptr;
}

void TreeView::Clicked() {
    Node* node = clickNode_;
    clickNode_ = nullptr;
    Click();
    // A click on a node's picture or text reports the node, even when it was selected already.
    if (node && Nodes.Contains(node) && Live()) NodeClick(*node);
}

void TreeView::HandleDoubleClick(int button, int shift, POINT px) {
    if (button == vbLeftButton) {
        Hit hit = HitTest(px);
        if (hit.node && hit.part != Part::None && !hit.node->children_.empty())
            SetNodeExpanded(*hit.node, !hit.node->IsExpanded());
    }
    WindowedControl::HandleDoubleClick(button, shift, px);
}

void TreeView::OnTimerTick(UINT_PTR id) {
    if (id == ScrollTracker::kRepeatTimer)
        tracker_.Repeat(hwnd_, VerticalModel(), ScrollBarRect(), [this](int v) { SetTopRow(v); });
}

void TreeView::OnKey(int keyCode, int shift) {
    (void)shift;
    auto order = Nodes.VisibleOrder();
    int n = static_cast<int>(order.size());
    if (n == 0) return;
    auto it = std::find(order.begin(), order.end(), selected_);
    int current = it == order.end() ? -1 : static_cast<int>(it - order.begin());
    int target = -1;
    switch (keyCode) {
        case VK_UP: target = current < 0 ? 0 : std::max(0, current - 1); break;
        case VK_DOWN: target = current < 0 ? 0 : std::min(n - 1, current + 1); break;
        case VK_HOME: target = 0; break;
        case VK_END: target = n - 1; break;
        case VK_PRIOR: target = std::max(0, current - VisibleRows() + 1); break;
        case VK_NEXT: target = std::min(n - 1, std::max(0, current) + VisibleRows() - 1); break;
        case VK_LEFT:
            if (!selected_) return;
            if (selected_->IsExpanded() && !selected_->children_.empty())
                SetNodeExpanded(*selected_, false);
            else
                UserChoose(selected_->parent_);
            return;
        case VK_RIGHT:
            if (!selected_ || selected_->children_.empty()) return;
            if (!selected_->IsExpanded())
                SetNodeExpanded(*selected_, true);
            else
                UserChoose(selected_->children_.front());
            return;
        default: return;
    }
    UserChoose(order[static_cast<std::size_t>(target)]);
}

void TreeView::OnChar(unsigned codepoint) {
    if (!selected_ || selected_->children_.empty()) return;
    if (codepoint == '+') SetNodeExpanded(*selected_, true);
    if (codepoint == '-') SetNodeExpanded(*selected_, false);
}

// ---- Look ----

void TreeView::PaintLines(Painter& painter, const Node& node, const RECT& row) {
    int indent = IndentPx();
    int mid = row.top + row.height() / 2;
    // The lines of the ancestors that have more siblings below run through this row.
    for (const Node* a = node.parent_; a; a = a->parent_) {
        if (!ShowsButton(*a) || !HasNextSibling(*a)) continue;
        DottedVertical(painter, NodeX(*a) - indent / 2, row.top, row.bottom);
    }
    if (!ShowsButton(node)) return;
    int x = NodeX(node) - indent / 2;
    if (node.parent_ || HasPreviousSibling(node)) DottedVertical(painter, x, row.top, mid);
    if (HasNextSibling(node)) DottedVertical(painter, x, mid, row.bottom);
    DottedHorizontal(painter, x, NodeX(node) - 1, mid);
    if (node.children_.empty()) return;
    RECT box{x - kBox / 2, mid - kBox / 2, x - kBox / 2 + kBox, mid - kBox / 2 + kBox};
    painter.FillRect(box, vbWindowBackground);
    painter.FrameRect(box, vbButtonShadow);
    painter.FillRect(RECT{box.left + 2, mid, box.right - 2, mid + 1}, vbWindowText);
    if (!node.IsExpanded()) painter.FillRect(RECT{x, box.top + 2, x + 1, box.bottom - 2}, vbWindowText);
}

void TreeView::PaintNode(Painter& painter, Node& node, int row) {
    RECT r = LocalRowRect(row);
    PaintLines(painter, node, r);
    SIZE box = ImageBox();
    if (box.cx > 0 && imageList_) {
        if (const ListImage* image = imageList_->ListImages.Find(node.ImageKey())) {
            SIZE s = image->Picture.PixelSize();
            painter.DrawPicture(image->Picture, NodeX(node) + (box.cx - s.cx) / 2, r.top + (r.height() - s.cy) / 2);
        }
    }
    RECT label = LabelRect(node, row);
    bool highlighted = &node == selected_ && (hasFocus_ || !hideSelection_);
    COLORREF text = !enabled_ ? vbGrayText : node.HasOwnForeColor() ? node.OwnForeColor() : foreColor_;
    if (highlighted) {
        painter.FillRect(label, hasFocus_ ? vbHighlight : vbButtonFace);
        if (hasFocus_ && enabled_) text = vbHighlightText;
    }
    FontDescription f = font_;
    f.bold = node.IsBold();
    painter.Text(RECT{label.left + 2, label.top, label.right, label.bottom}, node.TextValue(), f, text, kTextLeft | kTextVCenter);
    if (hasFocus_ && &node == selected_) painter.FocusRect(label, highlighted ? vbHighlightText : foreColor_);
}

void TreeView::PaintLook(Painter& painter) {
    RECT r{0, 0, rect_.width(), rect_.height()};
    painter.FillRect(r, backColor_);
    painter.FrameRect(r, vbButtonShadow);
    if (HasScrollBar()) VerticalModel().Paint(painter, ScrollBarRect(), enabled_);
    RECT items = ItemsRect();
    Painter::Scope scope(painter, items);
    auto order = Nodes.VisibleOrder();
    int rows = VisibleRows() + 1;
    for (int i = topRow_; i < static_cast<int>(order.size()) && i < topRow_ + rows; ++i)
        PaintNode(painter, *order[static_cast<std::size_t>(i)], i);
}

}  // namespace platform::forms
