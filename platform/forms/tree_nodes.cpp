#include "platform/forms/tree_nodes.h"

#include <algorithm>

#include "platform/forms/tree_view.h"

namespace platform::forms {

// ---- Node ----

Node::Node(TreeView& tree, std::string key, std::string text) : tree_(&tree), key_(std::move(key)), text_(std::move(text)) {}

void Node::Touch() const {
    if (!tree_) throw Error("The node \"" + text_ + "\" has been removed from its tree");
    tree_->Touch();
}

void Node::setText(std::string value) {
    text_ = std::move(value);
    tree_->NodeChanged();
}

void Node::setKey(std::string value) {
    if (value == key_) return;
    if (!value.empty() && tree_->Nodes.FindKey(value))
        throw Error("The key \"" + value + "\" is already used in " + tree_->DisplayName());
    key_ = std::move(value);
}

void Node::setImage(std::string value) {
    if (!value.empty()) tree_->CheckImageKey(value);
    image_ = std::move(value);
    tree_->NodeChanged();
}

void Node::setExpanded(bool value) { tree_->SetNodeExpanded(*this, value); }

bool Node::selected() const { return tree_->SelectedItem() == this; }

void Node::setSelected(bool value) {
    if (value)
        tree_->SelectNode(this);
    else if (selected())
        tree_->SelectNode(nullptr);
}

void Node::setBold(bool value) {
    bold_ = value;
    tree_->NodeChanged();
}

COLORREF Node::foreColor() const { return hasForeColor_ ? foreColor_ : tree_->ForeColor(); }

void Node::setForeColor(COLORREF value) {
    hasForeColor_ = true;
    foreColor_ = value;
    tree_->NodeChanged();
}

int Node::index() const { return tree_->Nodes.IndexOf(this); }

int Node::Depth() const {
    int depth = 0;
    for (const Node* p = parent_; p; p = p->parent_) ++depth;
    return depth;
}

std::vector<Node*>& Node::Siblings() const { return parent_ ? parent_->children_ : tree_->Nodes.RootList(); }

Node* Node::Parent() const {
    Touch();
    return parent_;
}

Node* Node::Child() const {
    Touch();
    return children_.empty() ? nullptr : children_.front();
}

Node* Node::Next() const {
    Touch();
    auto& s = Siblings();
    auto it = std::find(s.begin(), s.end(), this);
    return it == s.end() || it + 1 == s.end() ? nullptr : *(it + 1);
}

Node* Node::Previous() const {
    Touch();
    auto& s = Siblings();
    auto it = std::find(s.begin(), s.end(), this);
    return it == s.end() || it == s.begin() ? nullptr : *(it - 1);
}

void Node::EnsureVisible() {
    Touch();
    for (Node* p = parent_; p; p = p->parent_)
        if (!p->expanded_) tree_->SetNodeExpanded(*p, true);
    tree_->ScrollIntoView(*this);
}

// ---- NodeCollection ----

void NodeCollection::Touch() const { tree_.Touch(); }

Node* NodeCollection::FindKey(const std::string& key) const {
    if (key.empty()) return nullptr;
    for (const auto& n : nodes_)
        if (n->KeyValue() == key) return n.get();
    return nullptr;
}

Node* NodeCollection::Find(const ItemRef& item) const {
    if (item.ByKey()) return FindKey(item.KeyValue());
    if (item.IsNone() || item.IndexValue() < 1 || item.IndexValue() > count()) return nullptr;
    return nodes_[static_cast<std::size_t>(item.IndexValue() - 1)].get();
}

bool NodeCollection::Contains(const Node* node) const { return IndexOf(node) > 0; }

int NodeCollection::IndexOf(const Node* node) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i)
        if (nodes_[i].get() == node) return static_cast<int>(i) + 1;
    return 0;
}

Node& NodeCollection::Item(ItemRef item) {
    Touch();
    Node* node = Find(item);
    if (!node) throw Error("The node " + item.Describe() + " is not in " + tree_.DisplayName());
    return *node;
}

Node& NodeCollection::Add(ItemRef relative, int relationship, std::string key, std::string text, std::string image) {
    Touch();
    if (relationship < tvwFirst || relationship > tvwChild)
        throw Error("The relationship " + std::to_string(relationship) + " is not one of " + tree_.DisplayName() + "'s");
    Node* rel = nullptr;
    if (!relative.IsNone()) {
        rel = Find(relative);
        if (!rel) throw Error("The node " + relative.Describe() + " is not in " + tree_.DisplayName());
    }
    if (!key.empty() && FindKey(key)) throw Error("The key \"" + key + "\" is already used in " + tree_.DisplayName());
    if (!image.empty()) tree_.CheckImageKey(image);

    auto owned = std::make_unique<Node>(tree_, std::move(key), std::move(text));
    Node* node = owned.get();
    std::vector<Node*>* list = &roots_;
    std::size_t at = roots_.size();
    if (rel) {
        if (relationship == tvwChild) {
            node->parent_ = rel;
            list = &rel->children_;
            at = list->size();
        } else {
            node->parent_ = rel->parent_;
            list = &rel->Siblings();
            auto pos = static_cast<std::size_t>(std::find(list->begin(), list->end(), rel) - list->begin());
            at = relationship == tvwFirst ? 0 : relationship == tvwLast ? list->size() : relationship == tvwNext ? pos + 1 : pos;
        }
    } else if (relationship == tvwFirst) {
        at = 0;
    }
    list->insert(list->begin() + static_cast<std::ptrdiff_t>(at), node);
    nodes_.push_back(std::move(owned));
    if (!image.empty()) node->Image = std::move(image);
    tree_.NodeChanged();
    return *node;
}

void NodeCollection::Collect(Node* node, std::vector<Node*>& out) const {
    out.push_back(node);
    for (Node* c : node->children_) Collect(c, out);
}

void NodeCollection::Remove(ItemRef item) {
    Node& node = Item(item);
    std::vector<Node*> gone;
    Collect(&node, gone);
    auto& siblings = node.Siblings();
    siblings.erase(std::remove(siblings.begin(), siblings.end(), &node), siblings.end());
    for (Node* n : gone) {
        tree_.NodeRemoved(*n);
        auto it = std::find_if(nodes_.begin(), nodes_.end(), [n](const auto& p) { return p.get() == n; });
        n->Detach();
        detached_.push_back(std::move(*it));
        nodes_.erase(it);
    }
    tree_.NodeChanged();
}

void NodeCollection::Clear() {
    Touch();
    DetachAll();
    tree_.NodeChanged();
}

void NodeCollection::DetachAll() {
    for (auto& n : nodes_) {
        tree_.NodeRemoved(*n);
        n->Detach();
        detached_.push_back(std::move(n));
    }
    nodes_.clear();
    roots_.clear();
}

std::vector<Node*> NodeCollection::VisibleOrder() const {
    std::vector<Node*> out;
    std::vector<Node*> stack(roots_.rbegin(), roots_.rend());
    while (!stack.empty()) {
        Node* n = stack.back();
        stack.pop_back();
        out.push_back(n);
        if (n->IsExpanded()) stack.insert(stack.end(), n->children_.rbegin(), n->children_.rend());
    }
    return out;
}

}  // namespace platform::forms
