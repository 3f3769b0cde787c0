// The label requests between the program and the context that holds the labels. The floating
// clock's labels live in the program's context and the exports fill them at once; the systray
// clock's live in the taskbar's context, so the exports stage each request in the shared section
// and the hook serves it there (ServeLabelRequests) before the export returns.
#pragma once

namespace hooklib {

// Serves the staged requests in the order allocation, properties, position.
void ServeLabelRequests();
// Frees the label records the calling context holds and clears the section's slots for them;
// records of the other context stay for that context to free.
void ReleaseOwnLabels();
// LabelsShareBackground: 1 unless a shown label's back colour differs from the clock's.
void RecomputeLabelsShareBackground();

}  // namespace hooklib
