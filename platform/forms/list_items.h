// The entries of a list box or combo box: text, item data and the selection mark.
#pragma once

#include <string>
#include <vector>

#include "platform/base.h"

namespace platform::forms {

struct ListItem {
    std::string text;
    LONG data = 0;
    bool selected = false;
};

class ListItems {
public:
    // Inserts at index (-1: at the end) and returns where the item went.
    int Add(std::string text, int index);
    void Remove(int index);
    void Clear() { items_.clear(); }
    int Count() const { return static_cast<int>(items_.size()); }
    bool Valid(int index) const { return index >= 0 && index < Count(); }
    ListItem& At(int index) { return items_[static_cast<std::size_t>(index)]; }
    const ListItem& At(int index) const { return items_[static_cast<std::size_t>(index)]; }
    // The item at index; an index outside the list raises the control's list-index error.
    ListItem& Checked(int index, const std::string& control);
    const ListItem& Checked(int index, const std::string& control) const;
    // The next item after `from` (wrapping) whose text starts with the character, ignoring case; -1 when none.
    int FindByFirstCharacter(unsigned codepoint, int from) const;

private:
    std::vector<ListItem> items_;
};

// Raises the error of an item index that lies outside the list.
[[noreturn]] void ThrowBadListIndex(const std::string& control, int index);

}  // namespace platform::forms
