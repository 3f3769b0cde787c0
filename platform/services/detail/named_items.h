// Items kept in the order they were added and found by their name in constant time: the sections
// of a settings file, and the entries of one section. A file of 10,000 alarms holds 10,000
// sections of 40 entries each, and a list of 10,000 items; every read and write names its section
// and key, so a walk through them for each would make loading and saving such a file quadratic.
//
// The items lie in one array, in order; an open-addressing table beside it holds their positions
// once there are more than a few.
// Removing an item leaves a gap that the next compaction closes (when gaps outnumber the items),
// so removing many items one after the other stays linear. Adding or removing items moves the
// others: a pointer from Find holds only until the next change.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform::detail {

// Item is a record whose member kName is its name; names are unique within one NamedItems.
template <class Item, std::string Item::*kName>
class NamedItems {
    // The hash is kept in 32 bits beside the flag: a file of 10,000 alarms holds 400,000 slots.
    struct Slot {
        Item item;
        std::uint32_t hash;
        bool live;
    };

public:
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = Item;
        using difference_type = std::ptrdiff_t;
        using pointer = const Item*;
        using reference = const Item&;

        const_iterator(const Slot* at, const Slot* end) : at_(at), end_(end) { SkipGaps(); }
        const Item& operator*() const { return at_->item; }
        const Item* operator->() const { return &at_->item; }
        const_iterator& operator++() {
            ++at_;
            SkipGaps();
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        void SkipGaps() {
            while (at_ != end_ && !at_->live) ++at_;
        }
        const Slot* at_;
        const Slot* end_;
    };

    Item* Find(std::string_view name) {
        // The item found last first, then the one after it: a file's reads and writes go to one
        // section many times over, and through a section's keys in their order.
        for (std::size_t at = lastFound_; at < slots_.size() && at <= lastFound_ + 1; ++at) {
            Slot& slot = slots_[at];
            if (slot.live && slot.item.*kName == name) {
                lastFound_ = at;
                return &slot.item;
            }
        }
        const std::size_t position = Position(name, Hash(name));
        if (position == kNone) return nullptr;
        lastFound_ = position;
        return &slots_[position].item;
    }
    const Item* Find(std::string_view name) const { return const_cast<NamedItems*>(this)->Find(name); }

    // Appends an item whose name is not there yet.
    Item& Append(Item item) {
        const std::uint32_t hash = Hash(item.*kName);
        return Add(std::move(item), hash);
    }

    // The item of that name, appended with that name alone when there is none.
    Item& FindOrAppend(std::string name) {
        const std::uint32_t hash = Hash(name);
        const std::size_t position = Position(name, hash);
        if (position != kNone) return slots_[position].item;
        Item item{};
        item.*kName = std::move(name);
        return Add(std::move(item), hash);
    }

    // Room for this many items in all, so that filling them in moves none.
    void reserve(std::size_t count) { slots_.reserve(count); }

    // True when there was an item of that name.
    bool Erase(std::string_view name) {
        const std::size_t position = Position(name, Hash(name));
        if (position == kNone) return false;
        Unindex(position);
        Slot& slot = slots_[position];
        slot.live = false;
        slot.item = Item{};  // its strings go now, not at the next compaction
        --live_;
        if (slots_.size() - live_ > live_ + 16) Compact();
        return true;
    }

    // Gives the item named `from` the name `to`, which no item has; it keeps its place.
    void Rename(std::string_view from, std::string to) {
        const std::size_t position = Position(from, Hash(from));
        if (position == kNone) return;
        Unindex(position);
        Slot& slot = slots_[position];
        slot.item.*kName = std::move(to);
        slot.hash = Hash(slot.item.*kName);
        Index(position);
    }

    void clear() {
        slots_.clear();
        lastFound_ = kNone;
        table_.clear();
        live_ = removedInTable_ = 0;
    }
    std::size_t size() const { return live_; }
    bool empty() const { return live_ == 0; }
    const_iterator begin() const { return const_iterator(slots_.data(), slots_.data() + slots_.size()); }
    const_iterator end() const { return const_iterator(slots_.data() + slots_.size(), slots_.data() + slots_.size()); }

private:
    // Table cells: 0 empty, kRemoved a removed item (probing goes on past it), else position + 1.
    static constexpr std::uint32_t kRemoved = UINT32_MAX;
    static constexpr std::size_t kNone = SIZE_MAX;
    // Up to this many items are found by a walk through them (after the two looked at first, as in
    // Find): a table would cost more room than the walk costs time. A file of 10,000 alarms holds
    // 10,000 sections of 40 entries, whose tables took 7 MB.
    static constexpr std::size_t kWalked = 48;

    static std::uint32_t Hash(std::string_view name) { return static_cast<std::uint32_t>(std::hash<std::string_view>{}(name)); }

    Item& Add(Item item, std::uint32_t hash) {
        slots_.push_back(Slot{std::move(item), hash, true});
        ++live_;
        Index(slots_.size() - 1);
        return slots_.back().item;
    }

    // The position of the live item of that name; kNone when there is none.
    std::size_t Position(std::string_view name, std::uint32_t hash) const {
        if (table_.empty()) {
            for (std::size_t at = 0; at < slots_.size(); ++at) {
                const Slot& slot = slots_[at];
                if (slot.live && slot.hash == hash && slot.item.*kName == name) return at;
            }
            return kNone;
        }
        const std::size_t mask = table_.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const std::uint32_t cell = table_[at];
            if (cell == 0) return kNone;
            if (cell == kRemoved) continue;
            const Slot& slot = slots_[cell - 1];
            if (slot.hash == hash && slot.item.*kName == name) return cell - 1;
        }
    }

    // Takes the live item at this position out of the table: its cell becomes a removed one, which
    // probing passes.
    void Unindex(std::size_t position) {
        if (table_.empty()) return;
        const std::size_t mask = table_.size() - 1;
        std::size_t at = slots_[position].hash & mask;
        while (table_[at] != position + 1) at = (at + 1) & mask;
        table_[at] = kRemoved;
        ++removedInTable_;
    }

    // Enters the live item at this position into the table; when the table would be more than half
    // full (removed cells count, as they lengthen the probes) a larger one is made of every item.
    // A few items have no table: they are found by a walk.
    void Index(std::size_t position) {
        if (table_.empty() && live_ <= kWalked) return;
        if ((live_ + removedInTable_) * 2 > table_.size()) {
            Rebuild();
            return;
        }
        const std::size_t mask = table_.size() - 1;
        std::size_t at = slots_[position].hash & mask;
        while (table_[at] != 0 && table_[at] != kRemoved) at = (at + 1) & mask;
        if (table_[at] == kRemoved) --removedInTable_;
        table_[at] = static_cast<std::uint32_t>(position + 1);
    }

    // A fresh table of every live item, at most a third full; none for a few items.
    void Rebuild() {
        if (live_ <= kWalked) {
            table_.clear();
            table_.shrink_to_fit();
            removedInTable_ = 0;
            return;
        }
        std::size_t size = 16;
        while (size < live_ * 3) size *= 2;
        table_.assign(size, 0);
        removedInTable_ = 0;
        const std::size_t mask = size - 1;
        for (std::size_t position = 0; position < slots_.size(); ++position) {
            if (!slots_[position].live) continue;
            std::size_t at = slots_[position].hash & mask;
            while (table_[at] != 0) at = (at + 1) & mask;
            table_[at] = static_cast<std::uint32_t>(position + 1);
        }
    }

    // Closes the gaps of removed items, keeping the order.
    void Compact() {
        std::vector<Slot> kept;
        kept.reserve(live_);
        for (Slot& slot : slots_)
            if (slot.live) kept.push_back(std::move(slot));
        slots_ = std::move(kept);
        lastFound_ = kNone;
        table_.clear();
        removedInTable_ = 0;
        Rebuild();
    }

    std::vector<Slot> slots_;
    std::vector<std::uint32_t> table_;
    std::size_t live_ = 0;
    std::size_t removedInTable_ = 0;
    std::size_t lastFound_ = kNone;  // position of the item Find returned last
};

}  // namespace platform::detail
