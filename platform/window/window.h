// The window system: windows and classes, messages, hooks, subclassing, painting bookkeeping,
// focus and input state. Declared with the names the clock's design uses.
#pragma once

#include <cstdint>
#include <string>

#include "platform/base.h"
#include "platform/window/context.h"
#include "platform/window/messages.h"

namespace platform {

using LONG_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using ATOM = WORD;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);
using HOOKPROC = LRESULT (*)(int, WPARAM, LPARAM);
using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    HBRUSH hbrBackground;           // filled by the default WM_ERASEBKGND; 0 leaves the background
    COLORREF background = 0xFFFFFFFF;  // a colour instead of a brush; 0xFFFFFFFF: none
    const char* lpszClassName = nullptr;
};

// Window procedures are kept as 32-bit ids, so that a procedure fits the 32-bit slots that
// GetWindowLong returns and that shared memory holds. AddressOf gives a procedure's id.
LONG AddressOf(WNDPROC proc);

ATOM RegisterClass(const WNDCLASS* wc);
BOOL UnregisterClass(const char* className);
DWORD GetClassLong(HWND hwnd, int index);
DWORD SetClassLong(HWND hwnd, int index, LONG value);

// menuOrId: the child id for child windows.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int width, int height, HWND parent, UINT_PTR menuOrId = 0, void* param = nullptr);
BOOL DestroyWindow(HWND hwnd);
BOOL IsWindow(HWND hwnd);
BOOL IsWindowVisible(HWND hwnd);  // the window and all its ancestors are shown
BOOL IsWindowEnabled(HWND hwnd);
BOOL EnableWindow(HWND hwnd, BOOL enable);
BOOL IsChild(HWND parent, HWND hwnd);

HWND GetParent(HWND hwnd);   // the parent of a child, the owner of a top-level window
HWND SetParent(HWND child, HWND newParent);
HWND GetOwner(HWND hwnd);
HWND GetDesktopWindow();
constexpr UINT GW_HWNDFIRST = 0, GW_HWNDLAST = 1, GW_HWNDNEXT = 2, GW_HWNDPREV = 3, GW_OWNER = 4, GW_CHILD = 5;
HWND GetWindow(HWND hwnd, UINT relation);
HWND GetTopLevel(HWND hwnd);  // the top-level window that contains hwnd (itself when top-level)

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int cx, int cy, UINT flags);
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
BOOL ShowWindow(HWND hwnd, int command);
BOOL BringWindowToTop(HWND hwnd);
BOOL IsIconic(HWND hwnd);
BOOL IsZoomed(HWND hwnd);  // maximized
BOOL GetWindowRect(HWND hwnd, RECT* rect);  // screen coordinates
struct WINDOWPLACEMENT {
    UINT showCmd = 0;        // SW_SHOWNORMAL, SW_SHOWMINIMIZED or SW_SHOWMAXIMIZED
    RECT rcNormalPosition;  // where the window is when neither minimised nor maximised
};
BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* placement);
BOOL GetClientRect(HWND hwnd, RECT* rect);  // (0, 0, width, height) of the client area
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);
RECT ClientRectOnScreen(HWND hwnd);

LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);  // 0 and GetLastError on refusal
// A pointer-sized value per window for the code that owns the window.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);

LRESULT CallWindowProc(LONG previous, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

HWND FindWindow(const char* className, const char* windowName);
HWND FindWindowEx(HWND parent, HWND childAfter, const char* className, const char* windowName);
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam);
int GetClassName(HWND hwnd, char* buffer, int size);
std::string GetClassNameString(HWND hwnd);
int GetWindowText(HWND hwnd, char* buffer, int size);
int GetWindowTextLength(HWND hwnd);
std::string GetWindowTextString(HWND hwnd);
BOOL SetWindowText(HWND hwnd, const char* text);
LONG GetDlgCtrlID(HWND hwnd);

BOOL SetLayeredWindowAttributes(HWND hwnd, COLORREF key, BYTE alpha, DWORD flags);
BOOL GetLayeredWindowAttributes(HWND hwnd, COLORREF* key, BYTE* alpha, DWORD* flags);

LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
BOOL PostThreadMessage(DWORD threadId, UINT msg, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc, UINT_PTR module, DWORD threadId);
BOOL UnhookWindowsHookEx(HHOOK hook);
LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam);
DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* processId);

struct PAINTSTRUCT {
    HDC hdc;
    BOOL fErase = 0;
    RECT rcPaint;
};
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
BOOL ValidateRect(HWND hwnd, const RECT* rect);
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
BOOL UpdateWindow(HWND hwnd);
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
HDC GetDC(HWND hwnd);        // client area
HDC GetWindowDC(HWND hwnd);  // whole window
int ReleaseDC(HWND hwnd, HDC hdc);
// What a window's client area shows, as a value: where it lies on its top-level window's surface,
// its size, and how far drawing on that surface has got. Two equal stamps mean the client area
// shows the same pixels as when the first was taken, so what a window keeps drawn need not be
// copied there again. A window without a surface stamps generation 0.
struct ClientPixelsStamp {
    std::uint64_t generation = 0;
    POINT origin;
    SIZE size;
    bool operator==(const ClientPixelsStamp&) const = default;
};
ClientPixelsStamp GetClientPixelsStamp(HWND hwnd);

UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
// SetTimer for a wait that must last exactly its interval: a one-second interval is not moved to
// the wall clock's second boundaries, as the clock's own one-second ticks are.
UINT_PTR SetExactTimer(HWND hwnd, UINT_PTR id, UINT elapseMs, TIMERPROC proc);
BOOL KillTimer(HWND hwnd, UINT_PTR id);

HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetActiveWindow(HWND hwnd);
HWND GetActiveWindow();
BOOL SetForegroundWindow(HWND hwnd);
HWND GetForegroundWindow();
HWND SetCapture(HWND hwnd);
BOOL ReleaseCapture();
HWND GetCapture();
BOOL GetCursorPos(POINT* point);
BOOL SetCursorPos(int x, int y);
short GetAsyncKeyState(int vk);
short GetKeyState(int vk);
UINT GetDoubleClickTime();
HWND WindowFromPoint(POINT screen);
int GetSystemMetrics(int index);

// Returns the button pressed. A modal loop runs while the box is open.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);

}  // namespace platform
