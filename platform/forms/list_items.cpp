#include "platform/forms/list_items.h"

#include <cctype>

namespace platform::forms {

int ListItems::Add(std::string text, int index) {
    if (index < 0 || index > Count()) index = Count();
    items_.insert(items_.begin() + index, ListItem{std::move(text), 0, false});
    return index;
}

void ListItems::Remove(int index) {
    if (Valid(index)) items_.erase(items_.begin() + index);
}

int ListItems::FindByFirstCharacter(unsigned codepoint, int from) const {
    if (codepoint >= 0x80 || items_.empty()) return -1;
    int target = std::tolower(static_cast<int>(codepoint));
    int n = Count();
    for (int k = 1; k <= n; ++k) {
        int i = ((from + k) % n + n) % n;
        const std::string& t = items_[static_cast<std::size_t>(i)].text;
        if (!t.empty() && std::tolower(static_cast<unsigned char>(t[0])) == target) return i;
    }
    return -1;
}

ListItem& ListItems::Checked(int index, const std::string& control) {
    if (!Valid(index)) ThrowBadListIndex(control, index);
    return At(index);
}

const ListItem& ListItems::Checked(int index, const std::string& control) const {
    if (!Valid(index)) ThrowBadListIndex(control, index);
    return At(index);
}

void ThrowBadListIndex(const std::string& control, int index) {
    throw Error("Invalid list index " + std::to_string(index) + " of " + control);
}

}  // namespace platform::forms
