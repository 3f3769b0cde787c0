// The label records of one process context: the records and their fonts, made when the label
// count arrives in the context that holds the labels (the program's for the floating clock, the
// taskbar's for the systray clock). The shared section names the store by an id that resolves
// only in the context that made it.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "hooklib/hook_label.h"
#include "platform/base.h"

namespace hooklib {

struct LabelStore {
    std::vector<HookLabel> labels;
    std::vector<platform::HFONT> fonts;  // one slot per label, made by the clock's painting
};

// Makes the calling context's store of count records (none for a count below 1), replacing the
// store it had; the records are new (no tokens, not shown, not prepared). Returns its id.
std::uint32_t AllocateLabelStore(int count);
// The store of that id when the calling context made it and still holds it; nullptr otherwise.
LabelStore* FindLabelStore(std::uint32_t id);
// Frees the calling context's store of that id, with the fonts made for it; false for an id of
// another context.
bool ReleaseLabelStore(std::uint32_t id);
// Frees every store of the calling context, with their fonts.
void ReleaseContextLabelStores();

// The shared section's labels, as the calling context sees them: empty unless this context holds
// them; never longer than the label count in the section.
std::span<HookLabel> ContextLabels();
// The record of a label index, or nullptr for an index outside the labels this context holds.
HookLabel* ContextLabel(int index);
// The font slot of a label index, under the same bounds as its record.
platform::HFONT* ContextLabelFont(int index);
// The font slots of ContextLabels, one for each record.
std::span<platform::HFONT> ContextLabelFonts();

}  // namespace hooklib
