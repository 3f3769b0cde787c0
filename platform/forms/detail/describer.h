// The window dump's names for the toolkit's windows ("frmMain", "txtHour", "Label(1)") and its list
// of windowless controls (labels and lines) with their text and screen rectangle.
#pragma once

namespace platform::forms::detail {

// Registers the toolkit's describer with the window dump; done when the first form is made.
void RegisterWindowDescriber();

}  // namespace platform::forms::detail
