// The nodes of a tree view and their collection, apart from how the tree looks.
//
//   treeO.Nodes.Clear();
//   treeO.Nodes.Add({}, tvwLast, "root1", "Program Settings");
//   treeO.Nodes.Add("root1", tvwChild, "1_1", "General Options");
//   treeO.Nodes(2).Image = "Program Settings GO";
//   treeO.Nodes(1).Expanded = true;
//
// Nodes are numbered from 1 in the order they were added (Index); removing a node renumbers the
// ones after it. A node removed from its tree (Remove, Clear, a new load of the form) stays a valid
// object, so that a pointer kept to it never dangles, but using its properties raises an error.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/forms/image_list.h"
#include "platform/forms/property.h"

namespace platform::forms {

class TreeView;

// Where Nodes.Add puts a node, relative to the node named in its first argument.
constexpr int tvwFirst = 0;     // first sibling of the relative (first root without one)
constexpr int tvwLast = 1;      // last sibling of the relative (last root without one)
constexpr int tvwNext = 2;      // right after the relative (the default)
constexpr int tvwPrevious = 3;  // right before the relative
constexpr int tvwChild = 4;     // last child of the relative

class Node {
    std::string text() const { return text_; }
    void setText(std::string value);
    std::string key() const { return key_; }
    void setKey(std::string value);
    std::string image() const { return image_; }
    void setImage(std::string value);
    bool expanded() const { return expanded_; }
    void setExpanded(bool value);
    bool selected() const;
    void setSelected(bool value);
    bool bold() const { return bold_; }
    void setBold(bool value);
    COLORREF foreColor() const;
    void setForeColor(COLORREF value);
    int index() const;
    int children() const { return static_cast<int>(children_.size()); }

public:
    Node(TreeView& tree, std::string key, std::string text);
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    Prop<&Node::text, &Node::setText> Text{this};
    Prop<&Node::key, &Node::setKey> Key{this};
    Prop<&Node::image, &Node::setImage> Image{this};  // the key of a picture of the tree's ImageList
    Prop<&Node::expanded, &Node::setExpanded> Expanded{this};
    Prop<&Node::selected, &Node::setSelected> Selected{this};
    Prop<&Node::bold, &Node::setBold> Bold{this};
    Prop<&Node::foreColor, &Node::setForeColor> ForeColor{this};
    Prop<&Node::index> Index{this};
    Prop<&Node::children> Children{this};

    Node* Parent() const;
    Node* Child() const;  // the first child
    Node* Next() const;   // the next sibling
    Node* Previous() const;
    // Expands every ancestor and scrolls the node into view.
    void EnsureVisible();

    // Toolkit side.
    void Touch() const;
    bool Attached() const { return tree_ != nullptr; }
    void Detach() { tree_ = nullptr; }
    TreeView* Tree() const { return tree_; }
    const std::string& TextValue() const { return text_; }
    const std::string& KeyValue() const { return key_; }
    const std::string& ImageKey() const { return image_; }
    bool IsExpanded() const { return expanded_; }
    bool IsBold() const { return bold_; }
    bool HasOwnForeColor() const { return hasForeColor_; }
    COLORREF OwnForeColor() const { return foreColor_; }
    int Depth() const;
    std::vector<Node*>& Siblings() const;  // the list the node is in: its parent's children or the roots
    void SetExpandedFlag(bool value) { expanded_ = value; }

    Node* parent_ = nullptr;
    std::vector<Node*> children_;

private:
    TreeView* tree_;
    std::string key_;
    std::string text_;
    std::string image_;
    bool expanded_ = false;
    bool bold_ = false;
    bool hasForeColor_ = false;
    COLORREF foreColor_ = 0;
};

class NodeCollection {
    int count() const { return static_cast<int>(nodes_.size()); }

public:
    explicit NodeCollection(TreeView& tree) : tree_(tree) {}
    NodeCollection(const NodeCollection&) = delete;

    Prop<&NodeCollection::count> Count{this};

    // relative: a node's index or key, or {} for none (the node is then a root, the first one with
    // tvwFirst, else the last). A key must be unique in the tree (or empty).
    Node& Add(ItemRef relative = {}, int relationship = tvwNext, std::string key = "", std::string text = "",
              std::string image = "");
    // Removes the node with all its descendants.
    void Remove(ItemRef item);
    void Clear();
    Node& Item(ItemRef item);
    Node& operator()(ItemRef item) { return Item(item); }

    // Toolkit side (no loading).
    void Touch() const;
    const std::vector<Node*>& Roots() const { return roots_; }
    std::vector<Node*>& RootList() { return roots_; }
    Node* FindKey(const std::string& key) const;
    bool Contains(const Node* node) const;
    int IndexOf(const Node* node) const;
    // The nodes as the tree shows them: depth first, through expanded nodes only.
    std::vector<Node*> VisibleOrder() const;
    // Every node detaches and the collection is empty; no events.
    void DetachAll();

private:
    Node* Find(const ItemRef& item) const;
    void Collect(Node* node, std::vector<Node*>& out) const;

    TreeView& tree_;
    std::vector<std::unique_ptr<Node>> nodes_;     // in Index order
    std::vector<std::unique_ptr<Node>> detached_;  // kept alive for pointers held elsewhere
    std::vector<Node*> roots_;
};

}  // namespace platform::forms
