// A table of drawing objects reached by 32-bit ids. An id carries its slot and the slot's
// generation, so an id whose object was deleted (or whose slot was reused) is refused, as is
// an id that belongs to another process context. Ids are never 0.
#pragma once

#include "platform/draw/hooks.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::draw {

template <class T>
class HandleTable {
public:
    static constexpr std::uint32_t kIndexBits = 20;
    static constexpr std::uint32_t kIndexMask = (1u << kIndexBits) - 1;
    static constexpr std::uint32_t kGenerationMask = (1u << (32 - kIndexBits)) - 1;

    // Returns 0 when the table is full.
    std::uint32_t add(std::shared_ptr<T> object, int owner) {
        std::uint32_t index;
        if (!free_.empty()) {
            index = free_.back();
            free_.pop_back();
        } else {
            if (slots_.size() >= kIndexMask) return 0;
            index = static_cast<std::uint32_t>(slots_.size());
            slots_.push_back(Slot{});
        }
        Slot& slot = slots_[index];
        slot.object = std::move(object);
        slot.owner = owner;
        ++live_;
        ++made_;
        return (static_cast<std::uint32_t>(slot.generation) << kIndexBits) | (index + 1);
    }

    // The object, or null when the id is stale, unknown or owned by another context.
    std::shared_ptr<T> find(std::uint32_t id) const {
        const Slot* slot = slotOf(id);
        return slot ? slot->object : nullptr;
    }

    bool remove(std::uint32_t id) {
        Slot* slot = const_cast<Slot*>(slotOf(id));
        if (!slot) return false;
        slot->object.reset();
        slot->generation = static_cast<std::uint16_t>((slot->generation % kGenerationMask) + 1);
        free_.push_back((id & kIndexMask) - 1);
        --live_;
        return true;
    }

    std::size_t live() const { return live_; }
    std::size_t made() const { return made_; }  // every object ever added

private:
    struct Slot {
        std::shared_ptr<T> object;
        int owner = 0;
        std::uint16_t generation = 1;
    };

    const Slot* slotOf(std::uint32_t id) const {
        const std::uint32_t index = id & kIndexMask;
        if (index == 0 || index > slots_.size()) return nullptr;
        const Slot& slot = slots_[index - 1];
        if (!slot.object || slot.generation != (id >> kIndexBits)) return nullptr;
        if (slot.owner != kSharedOwner && slot.owner != CurrentOwnerContext()) return nullptr;
        return &slot;
    }

    std::vector<Slot> slots_;
    std::vector<std::uint32_t> free_;
    std::size_t live_ = 0;
    std::size_t made_ = 0;
};

}  // namespace platform::draw
