// The library's smart windows: popup windows it registers, paints, fades, slides, drags, sizes
// to their text and closes by itself, driven by window timers on the thread that made them.
// Alarm windows, the popup help and the clock's hover tooltip are smart windows; one
// SmartWindowManager per process context owns them all.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "hooklib/smart_arithmetic.h"
#include "platform/draw/gdi.h"
#include "platform/services/library_loader.h"
#include "platform/window/window.h"

namespace hooklib {

class SmartWindowManager;

enum SmartKind : std::uint8_t { kDragKind = 1, kTooltipKind = 2, kFSingleKind = 3, kToolBoxKind = 4 };

// WindowFlags.
inline constexpr std::uint32_t kSlideManaged = 0x1;
inline constexpr std::uint32_t kDragStyle = 0x2;      // double click closes; presses show the closing hint
inline constexpr std::uint32_t kClosingHintShown = 0x4;
inline constexpr std::uint32_t kHelpWindow = 0x8;     // dismissal line and right-button watch
inline constexpr std::uint32_t kFreezesSoon = 0x10;   // stops following the cursor after 500 ms

// Window timers, by id.
enum SmartTimer : platform::UINT_PTR {
    kFadeInTimer = 1000,
    kFadeOutTimer = 1001,
    kSlideInTimer = 1002,
    kSlideOutTimer = 1003,
    kDragTimer = 1004,
    kFollowCursorTimer = 1005,
    kTooltipRepaintTimer = 1006,
    kClosingHintTimer = 1007,
    kRightButtonTimer = 1008,
    kDismissTimer = 1009,
    kFreezeTimer = 1010,
};
platform::UINT SmartTimerInterval(platform::UINT_PTR id);

// Results of the window, child and timer operations.
inline constexpr int kSmartOk = 0;
inline constexpr int kSmartUnknown = 4;
inline constexpr int kSmartTimerRunning = 8;
inline constexpr int kSmartNoSuchTimer = 16;
inline constexpr int kSmartLayeringRefused = 256;
inline constexpr int kSmartNoLayering = 512;

// The first system classification with layered windows.
inline constexpr std::uint8_t kFirstOsWithLayering = 5;

struct SkinPiece {
    platform::HBITMAP bitmap;
    // How far the piece reaches past the balloon's edge beside and above or below it (an arrow's
    // tail; 0 for a plain corner), and its size.
    std::int16_t x = 0, y = 0, width = 0, height = 0;
};

class SmartWindow;

struct SmartChild {
    SmartWindow* owner = nullptr;
    platform::HWND handle;
    std::uint8_t kind = 1;  // static
    bool transparentDrawing = false;
    std::string name;  // "Title", "Text", "SmallText"
    platform::COLORREF backColor = 0xFFFFFF;
    platform::HBRUSH brush;
    platform::COLORREF textColor = 0;
    std::string text;
    platform::HFONT font;
    bool ownsFont = false;
    SmartChild* reference = nullptr;
    std::uint8_t placement = 0;  // 1 left of, 2 right of, 3 above, 4 below the reference
    bool stretch = true;
    platform::UINT textFormat = 0;
    platform::RECT rect;  // in the parent's client area
};

// A slide asked for while another runs waits here (one place).
struct QueuedSlide {
    int time = 0, alphaTime = -1, direction = 0, position = 0;
    std::uint8_t startAlpha = 0, stopAlpha = 0;
    bool pending = false;
};

class SmartWindow {
public:
    explicit SmartWindow(SmartWindowManager& manager);
    ~SmartWindow();
    SmartWindow(const SmartWindow&) = delete;
    SmartWindow& operator=(const SmartWindow&) = delete;

    struct Params {
        SmartKind kind = kDragKind;
        int x = 0, y = 0, width = 0, height = 0;
        std::string title;
        platform::COLORREF backColor = 0xFFFFFF, textColor = 0, colorKey = 0;
        std::uint8_t alpha = 255, visuals = 0;
        platform::RECT targetRect, desktopRect;
        bool fade = false;
        int fadeInTime = 0, fadeOutTime = 0;
        bool skinned = false, showNow = false;
    };
    // Makes the window itself; false when the window system refused it.
    bool Create(const Params& params);

    // Children.
    void SetTitle(const std::string& text);
    void SetText(const std::string& text);
    void SetSmallText(const std::string& text, platform::COLORREF color = 0);
    // A hint in place of the "Text" child's text, shown whole; PutTextBack gives it its text again.
    void ShowHint(const std::string& hint);
    void PutTextBack(const std::string& original);
    SmartChild* Child(const std::string& name);
    void LayOutChildren();
    void AutoSize();

    // Showing, layering, fading, sliding, placing.
    int ApplyLayering(platform::COLORREF colorKey, std::uint8_t alpha, std::uint8_t visuals);
    void ShowSmartWindow(bool show);
    int StartFade(bool in);
    void StartSlide(int first, int second, std::uint8_t startAlpha, std::uint8_t stopAlpha, int time, int alphaTime);
    // The eight positions and the centre lie on the primary monitor's work area, clear of the
    // desktop's panels; so do the slides' ends.
    void PlaceWindow(int code);
    // A window at a place of its own that would run past its monitor's work area is moved left and
    // up (or right and down) just enough to lie within it; one that fits stays where it is.
    void KeepWithinWorkArea();
    void ApplyWindowFlags(std::uint32_t flags);
    bool LoadBackground(const std::string& path);
    void LoadTooltipSkin();
    void MakeDefaultFonts();
    void ReplaceFonts(platform::HFONT title, platform::HFONT text);

    // Closing.
    void CloseSmartWindow();
    void RequestClose();
    // Destroys the window object's window and everything it made (the manager deletes it).
    void Destroy();

    // Timers (ids of SmartTimer).
    int StartTimer(platform::UINT_PTR id);
    int StopTimer(platform::UINT_PTR id);
    bool TimerRuns(platform::UINT_PTR id) const;
    bool Sliding() const { return TimerRuns(kSlideInTimer) || TimerRuns(kSlideOutTimer); }

    // The class window procedure's share: a non-zero answer is returned, 0 goes on to the default.
    platform::LRESULT HandleMessage(platform::UINT msg, platform::WPARAM wParam, platform::LPARAM lParam);
    platform::LRESULT HandleChildMessage(SmartChild& child, platform::UINT msg, platform::WPARAM wParam,
                                         platform::LPARAM lParam);

    // Owner.
    SmartWindowManager* Manager;
    std::uint8_t OsCode = 0;
    std::int32_t OsBuild = 0;
    // Handles.
    platform::HWND Handle;
    platform::HMODULE Instance;
    std::uint32_t WindowFlags = 0;
    std::string ClassName;
    bool Destroying = false;
    // Layering.
    platform::COLORREF ColorKey = 0;
    float AppliedAlpha = 255, FadeTarget = 255, FadeCurrent = 0;
    float AspectRatio = 0;  // 0: the screen's width / height
    // Fading.
    int FadeInTime = 0, FadeOutTime = 0;
    std::uint8_t FadeStartAlpha = 0;
    std::uint8_t Alpha = 255;
    std::uint8_t Visuals = 0;
    // Files.
    std::string SkinFolder, IconPath;
    // Tooltip geometry.
    platform::RECT TargetRect, DesktopRect;
    // Switches.
    bool Skinned = false, IsPopupHelp = false, FadeEnabled = false, Resizable = true, Movable = true,
         ResizableBorders = true, MinimizeBox = true, MaximizeBox = true, AutoSized = false, Frozen = false;
    // Slide.
    platform::POINT SlideStart, SlideEnd;
    int SlideTime = 0, SlideAlphaTime = -1;
    SlidePath Path;
    QueuedSlide Queued;
    // State.
    bool DismissPending = false, HelpDismissed = false;
    std::uint8_t ArrowCorner = 255;
    bool ShowPending = false, Shown = false, Closing = false;
    // Closed by its owner rather than by the cursor's leaving: the cursor coming back inside
    // does not bring it back.
    bool ClosedByOwner = false;
    // Colours.
    platform::COLORREF BackColor = 0xFFFFFF, TextColor = 0;
    // Size and place.
    int Width = 0, Height = 0, X = 0, Y = 0;
    SmartKind Kind = kDragKind;
    bool Layered = false;
    platform::POINT DragOffset;
    // Skin.
    SkinPiece Skin[4];
    // Drawing.
    platform::HBITMAP Background;
    platform::HGDIOBJ Icon;
    platform::HFONT TitleFont, TextFont, SmallFont, SmallBoldFont;
    std::vector<std::unique_ptr<SmartChild>> Children;

private:
    std::string SavedSmallText;
    void FadeTick(bool in);
    void SlideTick(bool in);
    void DragTick();
    void FollowCursorTick();
    void ClosingHintTick();
    void RightButtonTick();
    void DismissTick();
    void OnClose();
    void OnDestroyedFromOutside();
    SmartChild& SetChildText(const std::string& name, const std::string& text, platform::HFONT font,
                             platform::UINT format);
    platform::RECT SkinMargins() const;
    void Paint();
    void PaintSkinnedTooltip(platform::HDC dc, const platform::RECT& whole);
    void RecolourSkinPiece(platform::HBITMAP piece, int corner);
    void PaintChild(SmartChild& child);
    void DeleteFonts();
    void DeleteSkin();
    bool TouchesScreen() const;
};

extern const char* const kSmartChildClass;

// A skinned balloon (kind 2) in white with black text over a target, fading in and out, limited
// to the screen, shown at once: the popup help and the clock tooltip.
SmartWindow::Params BalloonParams(const platform::RECT& target, std::uint8_t alpha, int fadeInMs, int fadeOutMs);

// The font height of a size in points on the screen (-MulDiv(points, LOGPIXELSY, 72)).
int FontHeightOfPoints(int points);

// The smart window made for a window handle in the calling context; none for other windows.
SmartWindow* FindSmartWindow(platform::HWND hwnd);

}  // namespace hooklib
