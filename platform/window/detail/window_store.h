// Inside the window system: the records behind window, class and hook handles.
// Only platform/ includes this header.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/window/window.h"

namespace platform::detail {

struct WindowClass {
    std::string name;
    UINT style = 0;
    LONG procId = 0;
    HBRUSH brush;
    COLORREF background = 0xFFFFFFFF;
    ProcessContext context = ProcessContext::Program;
    bool global = false;
};

struct Window {
    HWND hwnd;
    ProcessContext context = ProcessContext::Program;
    std::shared_ptr<WindowClass> cls;
    std::string text;
    HICON icon;  // its own (WM_SETICON); none: the program's
    DWORD style = 0;
    DWORD exStyle = 0;
    RECT rect;  // in the parent's client coordinates; screen coordinates for a top-level window
    HWND parent;
    HWND owner;
    std::vector<HWND> children;  // z-order, topmost first
    LONG procId = 0;
    LONG_PTR userData = 0;
    LONG controlId = 0;
    COLORREF layeredKey = 0;
    BYTE layeredAlpha = 255;
    DWORD layeredFlags = 0;
    bool layeredSet = false;
    RECT update;  // window coordinates of the client area's pending paint
    bool updateErase = false;
    bool destroying = false;
    bool minimized = false;
    bool maximized = false;
    RECT normalRect;  // where a maximized window goes back to
    // Owned by the program's hidden window, as a form that shows no taskbar button is.
    bool hiddenOwner = false;
    // A message box or modal form while it waits (window/modal.h): in front of every other
    // window, over the window it blocks.
    bool modal = false;
    HWND modalOver;
    bool modalBlocksProgram = false;  // it blocks every window of its program, not only modalOver
    bool topLevel() const { return (style & WS_CHILD) == 0; }
};

struct Hook {
    HHOOK handle;
    int kind = 0;
    HOOKPROC proc = nullptr;
    DWORD threadId = 0;
    ProcessContext owner = ProcessContext::Program;  // where the hook procedure runs
    bool removed = false;
};

struct Store {
    std::unordered_map<std::uint32_t, std::unique_ptr<Window>> windows;
    std::vector<HWND> topLevels;  // z-order, topmost first; the bands (ZBand) lead in order
    std::unordered_map<std::string, std::shared_ptr<WindowClass>> classes[kContextCount];
    std::vector<std::unique_ptr<Hook>> hooks;  // install order
    std::vector<WNDPROC> procs;                // index + 1 is the procedure id
    std::uint32_t nextHandle = 0x00010010;
    HWND focus[kContextCount];
    HWND active[kContextCount];
    HWND foreground;
    HWND capture;
    int sendDepth = 0;
};

Store& S();
Window* Find(HWND hwnd);                // null for a stale or unknown handle
Window* FindOrFail(HWND hwnd);          // also sets ERROR_INVALID_WINDOW_HANDLE
std::uint32_t NewHandleId();
WNDPROC ProcFromId(LONG id);
RECT NonClientInsets(const Window& w);  // left, top, right, bottom widths of the frame
RECT ClientAreaInWindow(const Window& w);

// The caption of a top-level window with WS_CAPTION, and the buttons its style asks for: a close
// box with a system menu, a minimise and a maximise box when the style names them (a tool window
// has only its close box). Window coordinates; right to left: close, maximise, minimise.
enum class CaptionButton { Minimize, Maximize, Close };
struct CaptionButtonPlace {
    CaptionButton button;
    RECT rect;
    LRESULT hit;     // what WM_NCHITTEST answers over it
    WPARAM command;  // the WM_SYSCOMMAND a click on it sends
};
RECT CaptionBand(const Window& w);  // empty when the window has no caption
std::vector<CaptionButtonPlace> CaptionButtons(const Window& w);
POINT WindowOriginOnScreen(const Window& w);  // top-left of the window rect on screen
bool IsTopmost(const Window& w);
// The window is owned by `owner`, directly or through its owner's owners.
bool OwnedBy(const Window& w, HWND owner);
// The stacking band: modal windows lie in front of topmost ones, topmost in front of the rest.
int ZBand(const Window& w);
void RemoveFromZOrder(Window& w);
void InsertInZOrder(Window& w, HWND insertAfter);

// Calls the window procedure in the window's context (no hooks): what dispatching does.
LRESULT DispatchToWindow(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Observers that other platform parts (drawing, presenters, the dump) use.
struct WindowObserver {
    std::function<void(HWND)> created;
    std::function<void(HWND)> destroyed;
    std::function<void(HWND)> changed;  // moved, resized, shown, hidden, restyled or re-stacked
    std::function<void(HWND, const RECT&)> damaged;  // window coordinates of a top-level window
};
int AddWindowObserver(WindowObserver observer);
void NotifyCreated(HWND hwnd);
void NotifyDestroyed(HWND hwnd);
void NotifyChanged(HWND hwnd);
void NotifyDamaged(HWND topLevel, const RECT& windowRect);

}  // namespace platform::detail

namespace platform::detail {
// True while a hook of any kind is installed on the thread of that context.
bool AnyHookOnContext(ProcessContext context);
}  // namespace platform::detail
