// Basic vocabulary of the platform: integer types, handles, geometry and the error type.
// The clock's code is written against these names, so they keep the names its design uses.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

namespace platform {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) { return c & 0xFF; }
constexpr int GetGValue(COLORREF c) { return (c >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF c) { return (c >> 16) & 0xFF; }

// Layered windows: what SetLayeredWindowAttributes applies (the window system stores it, the
// compositor draws it).
constexpr DWORD LWA_COLORKEY = 0x1;
constexpr DWORD LWA_ALPHA = 0x2;

constexpr WORD LOWORD(std::uintptr_t v) { return static_cast<WORD>(v & 0xFFFF); }
constexpr WORD HIWORD(std::uintptr_t v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
constexpr LONG MAKELONG(WORD lo, WORD hi) { return static_cast<LONG>(static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16)); }

// A handle is a 32-bit id, never 0 for a live object. A stale or foreign id is refused by the
// function that receives it; it is never dereferenced. The tag keeps window, DC and GDI handles apart.
template <class Tag>
class Handle {
public:
    constexpr Handle() = default;
    constexpr explicit Handle(std::uint32_t id) : id_(id) {}
    constexpr std::uint32_t id() const { return id_; }
    constexpr explicit operator bool() const { return id_ != 0; }
    constexpr bool operator==(const Handle&) const = default;
    constexpr auto operator<=>(const Handle&) const = default;

private:
    std::uint32_t id_ = 0;
};

using HWND = Handle<struct WindowTag>;
using HDC = Handle<struct DeviceContextTag>;
using HGDIOBJ = Handle<struct GdiObjectTag>;  // fonts, bitmaps, brushes and pens
using HFONT = HGDIOBJ;
using HBITMAP = HGDIOBJ;
using HBRUSH = HGDIOBJ;
using HPEN = HGDIOBJ;
using HHOOK = Handle<struct HookTag>;
using HMENU = Handle<struct MenuTag>;
using HICON = HGDIOBJ;

struct POINT {
    LONG x = 0;
    LONG y = 0;
    bool operator==(const POINT&) const = default;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    bool operator==(const SIZE&) const = default;
};

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    LONG width() const { return right - left; }
    LONG height() const { return bottom - top; }
    bool empty() const { return right <= left || bottom <= top; }
    bool contains(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const RECT&) const = default;
};

RECT IntersectRects(const RECT& a, const RECT& b);
RECT UnionRects(const RECT& a, const RECT& b);  // an empty rectangle does not widen the union
RECT OffsetRectBy(RECT r, LONG dx, LONG dy);

// What a component "raises" in the clock's design. Everything else returns results.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& description) : std::runtime_error(description) {}
};

}  // namespace platform
