// Items kept in the order they were added and found by their name in constant time: the sections
// of a settings file, and the entries of one section. A file of 10,000 alarms holds 10,000
// sections of 40 entries each, and a list of 10,000 items; every read and write names its section
// and key, so a walk through them for each would make loading and saving such a file quadratic.
#pragma once

#include <list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace platform::detail {

// Item is a record whose member kName is its name; names are unique within one NamedItems.
// The items live in list nodes, which never move: the index's names are views of the items' own
// names, and removing an item leaves the others where they are.
template <class Item, std::string Item::*kName>
class NamedItems {
    using List = std::list<Item>;

public:
    NamedItems() = default;
    NamedItems(const NamedItems& other) {
        for (const Item& item : other.items_) Append(item);
    }
    NamedItems& operator=(const NamedItems& other) {
        if (this != &other) {
            clear();
            for (const Item& item : other.items_) Append(item);
        }
        return *this;
    }
    // Moving hands the nodes over: the views in the index stay valid.
    NamedItems(NamedItems&&) noexcept = default;
    NamedItems& operator=(NamedItems&&) noexcept = default;

    Item* Find(std::string_view name) {
        auto it = index_.find(name);
        return it == index_.end() ? nullptr : &*it->second;
    }
    const Item* Find(std::string_view name) const { return const_cast<NamedItems*>(this)->Find(name); }

    // Appends an item whose name is not there yet.
    Item& Append(Item item) {
        items_.push_back(std::move(item));
        auto last = std::prev(items_.end());
        index_.emplace(std::string_view((*last).*kName), last);
        return *last;
    }

    // True when there was an item of that name.
    bool Erase(std::string_view name) {
        auto it = index_.find(name);
        if (it == index_.end()) return false;
        auto item = it->second;
        index_.erase(it);
        items_.erase(item);
        return true;
    }

    // Gives the item of name `from` the name `to`, which no item has; it keeps its place.
    void Rename(std::string_view from, std::string to) {
        auto it = index_.find(from);
        if (it == index_.end()) return;
        auto item = it->second;
        index_.erase(it);
        (*item).*kName = std::move(to);
        index_.emplace(std::string_view((*item).*kName), item);
    }

    void clear() {
        index_.clear();
        items_.clear();
    }
    std::size_t size() const { return items_.size(); }
    bool empty() const { return items_.empty(); }
    typename List::const_iterator begin() const { return items_.begin(); }
    typename List::const_iterator end() const { return items_.end(); }

private:
    List items_;
    std::unordered_map<std::string_view, typename List::iterator> index_;
};

}  // namespace platform::detail
