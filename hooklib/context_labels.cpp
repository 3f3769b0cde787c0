#include "hooklib/context_labels.h"

#include <algorithm>
#include <map>

#include "hooklib/shared_state.h"
#include "platform/draw/gdi_objects.h"
#include "platform/window/context.h"

namespace hooklib {
namespace {

struct OwnedStore {
    platform::ProcessContext context;
    LabelStore store;
};

struct Stores {
    std::map<std::uint32_t, OwnedStore> byId;
    std::uint32_t nextId = 0x4C000001;  // never reused, never 0
};

Stores& All() {
    static Stores stores;
    return stores;
}

// The fonts belong to the context that holds the store, which is the one releasing it.
void DeleteFonts(LabelStore& store) {
    for (platform::HFONT& font : store.fonts) {
        if (font) platform::DeleteObject(font);
        font = platform::HFONT{};
    }
}

}  // namespace

std::uint32_t AllocateLabelStore(int count) {
    ReleaseContextLabelStores();
    std::uint32_t id = All().nextId++;
    OwnedStore& owned = All().byId[id];
    owned.context = platform::CurrentContext();
    std::size_t n = count > 0 ? static_cast<std::size_t>(count) : 0;
    owned.store.labels.resize(n);
    owned.store.fonts.resize(n);
    return id;
}

LabelStore* FindLabelStore(std::uint32_t id) {
    auto it = All().byId.find(id);
    if (it == All().byId.end() || it->second.context != platform::CurrentContext()) return nullptr;
    return &it->second.store;
}

bool ReleaseLabelStore(std::uint32_t id) {
    LabelStore* store = FindLabelStore(id);
    if (!store) return false;
    DeleteFonts(*store);
    All().byId.erase(id);
    return true;
}

void ReleaseContextLabelStores() {
    auto& byId = All().byId;
    for (auto it = byId.begin(); it != byId.end();) {
        if (it->second.context == platform::CurrentContext()) {
            DeleteFonts(it->second.store);
            it = byId.erase(it);
        } else {
            ++it;
        }
    }
}

std::span<HookLabel> ContextLabels() {
    LabelStore* store = FindLabelStore(Share().HookLabels);
    if (!store) return {};
    std::size_t count = std::clamp<int>(Share().HookLabelCount, 0, static_cast<int>(store->labels.size()));
    return std::span<HookLabel>(store->labels.data(), count);
}

HookLabel* ContextLabel(int index) {
    std::span<HookLabel> labels = ContextLabels();
    if (index < 0 || static_cast<std::size_t>(index) >= labels.size()) return nullptr;
    return &labels[static_cast<std::size_t>(index)];
}

platform::HFONT* ContextLabelFont(int index) {
    if (!ContextLabel(index)) return nullptr;
    return &FindLabelStore(Share().HookLabels)->fonts[static_cast<std::size_t>(index)];
}

std::span<platform::HFONT> ContextLabelFonts() {
    LabelStore* store = FindLabelStore(Share().HookLabels);
    if (!store) return {};
    const std::size_t count = std::clamp<int>(Share().HookLabelCount, 0, static_cast<int>(store->labels.size()));
    return std::span<platform::HFONT>(store->fonts.data(), std::min(count, store->fonts.size()));
}

}  // namespace hooklib
