// Modality: while a message box, an input box or a modal form waits for its answer, the windows it
// blocks take no click and no key, and the modal window stands over them. Every box and every
// modal form keeps this one contract through a ModalWait:
//   - it blocks its owner (the owner's top-level window); a system-modal box, a box that names no
//     owner and a modal form block every window of the program, and every window of the context
//     that asks when that is the shell's (the taskbar's menu asks the clock's Exit question there);
//   - the blocked windows are disabled while it waits, and a mouse capture inside them ends;
//   - its window stands above every other window, above a topmost owner too, and above windows
//     that make themselves topmost while it waits (help balloons); a presenter shows it transient
//     for the window it blocks (for the whole program when it blocks every window) and marked modal;
//   - a blocked window that the desktop gives the keyboard to (a window manager raises and focuses
//     it on a click) hands it straight back to the modal window, which comes back on top: a box is
//     never answered unseen;
//   - when it ends, the windows it disabled take input again and the focus goes back to the
//     control that had it, with no press left over: the next click is a click of its own.
#pragma once

#include <vector>

#include "platform/window/window.h"

namespace platform {

class ModalWait {
public:
    // owner: the window the caller names (any window of it; 0 for none). blocksProgram: every
    // window of the program is blocked, not just the owner. modalWindow: the modal window when it
    // exists already (a modal form); it is never blocked.
    ModalWait(HWND owner, bool blocksProgram, HWND modalWindow = HWND{});
    ~ModalWait();
    ModalWait(const ModalWait&) = delete;
    ModalWait& operator=(const ModalWait&) = delete;

    // The window the modal window stands over: the owner's top-level window, or the active window
    // when no owner was named (0 when there is none).
    HWND Over() const { return over_; }
    // The modal window, once it exists.
    HWND ModalWindow() const { return modalWindow_; }

private:
    friend void PresentModalWindow(HWND modalWindow);
    friend HWND ModalWindowBlocking(HWND window);
    HWND over_;
    bool blocksProgram_ = false;
    HWND modalWindow_;
    std::vector<HWND> disabled_;
    HWND hadFocus_;
    HWND wasActive_;
    bool wasTopmost_ = false;
};

// The window of the innermost wait, once it exists (a message box's window): it becomes the modal
// window, stacked and shown as the contract says. Nothing happens outside a wait.
void PresentModalWindow(HWND modalWindow);

// The modal window that keeps the window (or its top-level window) blocked, the innermost when
// waits are nested; 0 when no wait blocks it.
HWND ModalWindowBlocking(HWND window);

}  // namespace platform
