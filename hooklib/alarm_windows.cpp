// The alarm windows: a smart window built from an alarm's look, place and slide, whose going
// reports the alarm's id to the program.
#include <cstring>

#include "hooklib/ozrclock_exports.h"
#include "hooklib/program_bridge.h"
#include "hooklib/smart_window_manager.h"
#include "platform/window/screen.h"

namespace hooklib {
using namespace platform;

namespace {

// The alarm's `Flags` bits the window reads.
constexpr std::uint32_t kAlarmSlides = 0x10;
constexpr std::uint32_t kAlarmAutoSize = 0x20;
constexpr std::uint32_t kAlarmCentred = 0x40;
constexpr std::uint32_t kAlarmCustomPosition = 0x80;

// The window properties.
constexpr std::uint32_t kPropTopmost = 0x2;
constexpr std::uint32_t kPropResizable = 0x4;
constexpr std::uint32_t kPropResizableBorders = 0x8;
constexpr std::uint32_t kPropMinimizeBox = 0x10;
constexpr std::uint32_t kPropMaximizeBox = 0x20;
constexpr std::uint32_t kPropMovable = 0x40;

constexpr COLORREF kBackUnderPicture = 0xFFFDFB;

// The window style of the alarm and the smart-window kind it makes.
bool KindOfStyle(std::uint8_t style, SmartKind* kind) {
    switch (style) {
        case 0: *kind = kFSingleKind; return true;
        case 1: *kind = kToolBoxKind; return true;
        case 2: *kind = kDragKind; return true;
        default: return false;
    }
}

int Centred(int screen, int size) { return size > 0 ? screen / 2 - size / 2 : screen / 2; }

HFONT AlarmFont(const AlarmFontRecord& f, int points, bool antialiased) {
    return CreateFont(FontHeightOfPoints(points), 0, 0, 0, f.Weight, f.Italic, f.Underline, f.StrikeOut, 1, 7, 0, antialiased ? 4 : 3, 0,
                      f.FaceName ? f.FaceName : "");
}

bool HasFile(const char* path) { return path && *path; }

}  // namespace

void FireAlarmWindow(std::int32_t alarmId, const char* title, const char* text, std::uint8_t customPosition,
                     const SlideSettings* slide, int x, int y, int width, int height, std::uint8_t windowStyle,
                     std::uint32_t properties, COLORREF colourKey, std::uint8_t alpha, std::uint8_t visuals,
                     COLORREF backColour, COLORREF textColour, std::uint32_t flags, const AlarmFontRecord* font,
                     const char* iconPath, const char* backgroundPath) {
    SmartKind kind;
    // Another style makes no window, so no closing of one can ever be reported.
    if (!KindOfStyle(windowStyle, &kind)) {
        LogDebugNumber("{OZRFireAlarm}: Unknown window style, no window: ", windowStyle);
        return;
    }
    SmartWindowManager& manager = CreateSmartWindowManager();
    SmartWindow* w = manager.NewWindow();
    AlarmWindowEntry entry;
    entry.window = w;
    entry.CustomPosition = customPosition;
    if (slide) entry.Slide = *slide;
    entry.AlarmId = alarmId;
    manager.AlarmWindows.push_back(entry);

    const bool showNow = flags == 0;
    if (flags & kAlarmAutoSize) width = height = 30;
    if (flags & (kAlarmCentred | kAlarmCustomPosition)) x = y = 0;
    w->Resizable = properties & kPropResizable;
    if (properties & kPropResizable) w->ResizableBorders = properties & kPropResizableBorders;
    w->MinimizeBox = properties & kPropMinimizeBox;
    w->MaximizeBox = properties & kPropMaximizeBox;
    w->Movable = properties & kPropMovable;
    if (HasFile(iconPath)) w->IconPath = iconPath;
    const bool picture = HasFile(backgroundPath);
    if (picture) backColour = kBackUnderPicture;

    SmartWindow::Params params;
    params.kind = kind;
    if (kind != kDragKind) {
        SIZE screen = ScreenSize();
        if (x == -1) x = Centred(screen.cx, width);
        if (y == -1) y = Centred(screen.cy, height);
        params.title = title ? title : "";
    }
    params.x = x;
    params.y = y;
    params.width = width;
    params.height = height;
    params.backColor = backColour;
    params.textColor = textColour;
    params.colorKey = colourKey;
    params.alpha = alpha;
    params.visuals = visuals;
    params.showNow = showNow;
    if (!w->Create(params)) {
        // Nothing was shown, so no closing is reported either.
        LogDebug("{OZRFireAlarm}: The window could not be made.");
        manager.AlarmWindows.pop_back();
        manager.WindowDestroyed(w);
        return;
    }
    if (kind == kDragKind) w->WindowFlags |= kDragStyle;
    if (picture) w->LoadBackground(backgroundPath);
    if (font) {
        bool antialiased = !w->Background;
        w->ReplaceFonts(AlarmFont(*font, font->Size + 4, antialiased), AlarmFont(*font, font->Size, antialiased));
    }
    w->SetTitle(title ? title : "");
    w->SetText(text ? text : "");
    if (flags & kAlarmAutoSize) w->AutoSize();

    const bool slides = (flags & kAlarmSlides) && (flags & kAlarmCustomPosition);
    if (properties & kPropTopmost)
        SetWindowPos(w->Handle, HWND_TOPMOST, 0, 0, 0, 0, slides ? 19 : 3);
    if (slides) {
        w->WindowFlags |= kSlideManaged;
        w->StartSlide(entry.Slide.SlideInDirection, customPosition, entry.Slide.SlideInAlphaStartValue,
                      entry.Slide.SlideInAlphaStopValue, entry.Slide.SlideInTime, entry.Slide.SlideInAlphaTime);
    } else if (flags & kAlarmCustomPosition) {
        w->PlaceWindow(customPosition);
        w->ShowSmartWindow(true);
    } else if (flags & kAlarmCentred) {
        w->PlaceWindow(kPositionCentred);
        w->ShowSmartWindow(true);
    } else {
        w->KeepWithinWorkArea();
        if (!showNow) w->ShowSmartWindow(true);
    }
}

}  // namespace hooklib

void OZRFireAlarm(std::int32_t alarmId, const char* title, const char* text, std::uint8_t customPosition,
                  const void* slideSettings, std::int16_t x, std::int16_t y, std::int16_t width, std::int16_t height,
                  std::uint8_t windowStyle, std::uint32_t windowProperties, platform::COLORREF colourKey,
                  std::uint8_t alpha, std::uint8_t visuals, platform::COLORREF backColour,
                  platform::COLORREF textColour, std::uint32_t flags, const void* font, const char* iconPath,
                  const char* backgroundPath) {
    hooklib::FireAlarmWindow(alarmId, title, text, customPosition,
                             static_cast<const hooklib::SlideSettings*>(slideSettings), x, y, width, height,
                             windowStyle, windowProperties, colourKey, alpha, visuals, backColour, textColour, flags,
                             static_cast<const hooklib::AlarmFontRecord*>(font), iconPath, backgroundPath);
}
