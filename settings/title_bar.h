// The painted title bar of the settings window and of the about window: a gradient with the
// section's picture and title, and a close and a minimise button that light up under the pointer.
// The bar is a picture box at the window's top-left corner; dragging it moves the window.
#pragma once

#include <functional>
#include <string>

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"
#include "platform/forms/timer.h"

namespace settings {

// Where things lie on a bar, in its pixels; the button zones in twips of the bar (both bounds
// excluded, so the twip between the zones belongs to neither).
struct TitleBarLayout {
    int width;
    int height;
    double minimizeFrom;  // the minimise zone: minimizeFrom < X < closeFrom
    double closeFrom;     // the close zone: closeFrom < X < closeTo
    double closeTo;
    platform::POINT iconAt;
    platform::POINT minimizeAt;
    platform::POINT closeAt;
};
inline constexpr TitleBarLayout kSettingsTitleBar{620, 27, 8400, 8910, 9270, {5, 3}, {571, 2}, {595, 2}};
inline constexpr TitleBarLayout kAboutTitleBar{500, 27, 6600, 7110, 7470, {5, 1}, {451, 2}, {475, 2}};

enum class TitleZone { None, Minimize, Close };
TitleZone ZoneAt(const TitleBarLayout& layout, double xTwips);

// What one painting shows; the files are after the program folder ("" draws nothing).
struct TitleBarContent {
    std::string gradient;
    std::string icon;
    std::string title;
    platform::COLORREF textColor = 0xFFFFFF;
};
// The colour the buttons' pictures leave transparent.
inline constexpr platform::COLORREF kPictureKey = 0x8C00EC;

// The pointer's part in a title bar: highlights, dragging, and the two buttons.
class TitleBar {
public:
    TitleBar(platform::forms::Form& window, platform::forms::PictureBox& bar, platform::forms::Timer& bodyMovin,
             platform::forms::Timer& hover, const TitleBarLayout& layout);

    // What the bar shows now.
    std::function<TitleBarContent()> Content;
    // Mouse up in the close zone.
    std::function<void()> CloseClicked;
    // The window moved while dragged.
    std::function<void()> Moved;
    // A press in the minimise zone starts a drag too (the about window's bar).
    bool DragFromMinimizeZone = false;

    bool CloseHot() const { return closeHot_; }
    bool MinimizeHot() const { return minimizeHot_; }
    // At every load of the window: nothing lit, no drag.
    void Reset();
    // The bar paints again in the next paint pass, after the window under it.
    void Repaint() { bar_.Invalidate(); }

private:
    void Paint();
    void MouseMove(int x);
    void MouseDown(int button, int x, int y);
    void MouseUp();
    void HoverTick();
    void DragTick();
    void SetHot(bool close, bool minimize);

    platform::forms::Form& window_;
    platform::forms::PictureBox& bar_;
    platform::forms::Timer& bodyMovin_;
    platform::forms::Timer& hover_;
    TitleBarLayout layout_;
    bool closeHot_ = false;
    bool minimizeHot_ = false;
    double dragOffsetX_ = 0;  // twips
    int dragOffsetY_ = 0;     // twips
};

// A window's top-left corner (twips) moved so that the whole window lies on the monitor (its area
// in twips); a window larger than the monitor keeps its top-left corner on it.
platform::POINT KeptOnScreen(platform::POINT topLeft, int widthTwips, int heightTwips, const platform::RECT& monitorTwips);
// The window's top-left corner in twips where it stands when not maximised (a window manager may
// maximise even a fixed-size window).
platform::POINT NormalTopLeftTwips(platform::HWND window);
// The area in twips of the monitor that holds most of the window (twips), or of the primary monitor
// when none holds any of it.
platform::RECT MonitorTwipsOf(platform::POINT topLeft, int widthTwips, int heightTwips);

}  // namespace settings
