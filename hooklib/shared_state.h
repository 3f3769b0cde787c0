// SharedHookState: the one block of memory that the library's code sees alike in the program's
// context and in the taskbar's. Its layout is fixed byte by byte. Handles take 32-bit slots. A
// slot that refers to memory ("pointer" below) holds an id that only the context that made it
// can resolve; in any other context it names nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "platform/base.h"

namespace hooklib {

// One label's properties on their way into the taskbar's context.
struct LabelStaging {
    std::int16_t X;
    std::int16_t Y;
    char Face[34];
    std::int16_t Size;
    std::int16_t Weight;
    std::uint8_t Italic;
    std::uint8_t Underline;
    std::uint8_t StrikeOut;
    std::uint8_t Unused1[3];
    std::int32_t BackColor;
    std::int32_t TextColor;
    char Format[516];
    std::uint8_t Shown;
    std::uint8_t Unused2[3];
};
static_assert(sizeof(LabelStaging) == 0x240);
static_assert(offsetof(LabelStaging, Size) == 0x26);
static_assert(offsetof(LabelStaging, BackColor) == 0x30);
static_assert(offsetof(LabelStaging, Format) == 0x38);
static_assert(offsetof(LabelStaging, Shown) == 0x23c);

// A notification icon's record as the taskbar takes it (88 bytes).
struct SharedIconRecord {
    std::uint32_t Size;
    std::uint32_t Window;
    std::uint32_t Id;
    std::uint32_t Flags;
    std::uint32_t CallbackMessage;
    std::uint32_t Icon;
    char Tip[64];
};
static_assert(sizeof(SharedIconRecord) == 88);

struct SharedRect {
    std::int32_t Left;
    std::int32_t Top;
    std::int32_t Right;
    std::int32_t Bottom;
};

// Taskbar edges as the library counts them.
inline constexpr std::uint8_t kEdgeLeft = 1;
inline constexpr std::uint8_t kEdgeRight = 2;
inline constexpr std::uint8_t kEdgeTop = 3;
inline constexpr std::uint8_t kEdgeBottom = 4;

struct SharedHookState {
    std::uint32_t NextAlarmSetSecond;          // 0x000 second stamp of the last countdown
    std::int32_t NextAlarmSeconds;             // 0x004 seconds to the next alarm, <= 0 none
    std::uint8_t HelpInflate;                  // 0x008
    std::uint8_t Unused009;
    std::int16_t HelpId;                       // 0x00a
    std::uint32_t TooltipMasterWindow;         // 0x00c HWND
    std::uint32_t HelpWindowShown;             // 0x010 HWND
    std::uint32_t HelpTarget;                  // 0x014 HWND
    std::int32_t HelpRestPoint[2];             // 0x018
    std::uint32_t HelpTextThird;               // 0x020 pointer (program)
    std::uint32_t HelpTextSecond;              // 0x024 pointer (program)
    std::uint8_t BackgroundFrozen;             // 0x028
    std::uint8_t Unused029;
    std::int16_t PaintCountdown;               // 0x02a
    std::uint32_t VerticalFrozenBackground;    // 0x02c HBITMAP (taskbar)
    std::uint32_t HorizontalFrozenBackground;  // 0x030 HBITMAP (taskbar)
    std::uint32_t RowStrip;                    // 0x034 HBITMAP (taskbar)
    std::uint32_t ColumnStrip;                 // 0x038 HBITMAP (taskbar)
    std::uint32_t ClockImage;                  // 0x03c HBITMAP (taskbar)
    std::uint8_t TaskbarMoved;                 // 0x040
    std::uint8_t MenuPainting;                 // 0x041
    std::uint8_t MenuOpen;                     // 0x042
    std::uint8_t TaskbarPosition;              // 0x043 kEdge...
    std::uint8_t PreviousTaskbarEdge;          // 0x044
    std::uint8_t CurrentTaskbarEdge;           // 0x045
    std::uint8_t TaskbarDropped;               // 0x046
    std::uint8_t TaskbarDragging;              // 0x047
    std::uint8_t FakeIconPresent;              // 0x048
    std::uint8_t Unused049[3];
    std::int32_t ChevronWidth;                 // 0x04c
    std::int32_t CorrectedClockX;              // 0x050 written, never read
    std::uint8_t Unused054[4];
    SharedIconRecord FakeIconData;             // 0x058
    SharedRect MainWindowRect;                 // 0x0b0 written, never read
    SharedRect PreviousClockRect;              // 0x0c0
    SharedRect ClockRect;                      // 0x0d0
    std::uint32_t MainWindowDc;                // 0x0e0 HDC
    std::uint32_t ClockDc;                     // 0x0e4 HDC
    std::int32_t KeyboardMenuChoice;           // 0x0e8
    std::uint8_t Unused0ec[4];
    SharedRect OwnerDrawRectBelowTop;          // 0x0f0 written, never read
    SharedRect OwnerDrawRectAtTop;             // 0x100 written, never read
    std::uint32_t MenuDc;                      // 0x110 HDC
    std::uint32_t Menu;                        // 0x114 HMENU
    std::uint32_t MenuWindow;                  // 0x118 HWND
    std::uint8_t UnhookPending;                // 0x11c
    std::uint8_t Subclassed;                   // 0x11d
    std::uint8_t TooltipShown;                 // 0x11e
    std::uint8_t Unused11f;
    std::int32_t HelpDelayTimer;               // 0x120 (program)
    std::int32_t HelpWatchTimer;               // 0x124 (program)
    std::int32_t RefreshTimer;                 // 0x128 (program)
    std::int32_t ClickTimer;                   // 0x12c (taskbar)
    std::int32_t DataBridgeTimer;              // 0x130 (program)
    std::uint8_t DoubleClickDone;              // 0x134
    std::uint8_t ClickPending;                 // 0x135
    std::uint8_t Unused136[2];
    std::int32_t ClickPoint[2];                // 0x138 client position
    std::int32_t RestoredProcedures[3];        // 0x140 written, never read
    std::int32_t PreviousMenuProc;             // 0x14c WNDPROC
    std::int32_t PreviousTaskbarProc;          // 0x150 WNDPROC
    std::int32_t PreviousTrayProc;             // 0x154 WNDPROC
    std::int32_t PreviousClockProc;            // 0x158 WNDPROC
    std::uint32_t MainWindow;                  // 0x15c HWND
    std::uint32_t MainWindowFound;             // 0x160 HWND
    std::uint32_t TrayClockWindow;             // 0x164 HWND
    std::uint32_t NotificationToolbar;         // 0x168 HWND
    std::uint32_t TrayPager;                   // 0x16c HWND
    std::uint32_t Chevron;                     // 0x170 HWND
    std::uint32_t TrayNotifyWindow;            // 0x174 HWND
    std::uint32_t TaskBandWindow;              // 0x178 HWND
    std::uint32_t TaskbarWindow;               // 0x17c HWND
    std::int32_t LastUnhookResult;             // 0x180 written, never read
    std::uint32_t Hook;                        // 0x184 HHOOK
    std::uint8_t LabelsReported;               // 0x188
    std::uint8_t DataBridgeFirstTick;          // 0x189
    std::uint8_t LabelsShareBackground;        // 0x18a
    std::uint8_t EasyTransparency;             // 0x18b
    std::uint8_t FloatingMode;                 // 0x18c
    std::uint8_t Unused18d;
    std::uint8_t ColourCount;                  // 0x18e
    std::uint8_t Unused18f;
    std::int32_t SavedTaskbarExStyle;          // 0x190 0 when unchanged
    std::uint8_t Unused194[4];
    std::uint8_t OSCode;                       // 0x198
    std::uint8_t Unused199[3];
    std::int32_t OSBuild;                      // 0x19c
    std::uint8_t LabelPositionPending;         // 0x1a0
    std::uint8_t LabelPropertiesPending;       // 0x1a1
    std::uint8_t LabelAllocPending;            // 0x1a2
    std::uint8_t Unused1a3;
    std::int16_t StagedLabelIndex;             // 0x1a4
    std::int16_t HookLabelCount;               // 0x1a6
    std::uint32_t NeverWritten1a8;             // 0x1a8 pointer, always 0
    std::uint32_t LabelFonts;                  // 0x1ac pointer (context that holds the labels)
    std::uint32_t BehaviorQueue;               // 0x1b0 pointer (program)
    std::uint8_t Unused1b4[4];
    LabelStaging Staging;                      // 0x1b8
    std::uint32_t NeverWritten3f8;             // 0x3f8 pointer, always 0
    std::uint32_t HookLabels;                  // 0x3fc pointer (context that holds the labels)
    std::uint8_t DebugMode;                    // 0x400
    std::uint8_t BugFixer;                     // 0x401
    std::int16_t PaintThreshold;               // 0x402
    std::int32_t Refresh;                      // 0x404 ms
    std::uint8_t Transparent;                  // 0x408
    std::uint8_t TooltipMaxOpacity;            // 0x409
    std::int16_t TooltipFadeOut;               // 0x40a
    std::int16_t TooltipFadeIn;                // 0x40c
    std::int16_t TooltipDelay;                 // 0x40e
    std::uint8_t TooltipEnabled;               // 0x410
    std::uint8_t Unused411[3];
    std::int32_t ClockBackground;              // 0x414 COLORREF
    std::int16_t ClockStyle;                   // 0x418
    std::int16_t TrayClockHeight;              // 0x41a
    std::int16_t TrayClockWidth;               // 0x41c
    std::uint8_t Unused41e[2];
    char ImageFolder[260];                     // 0x420
    std::int32_t SizeFixCount;                 // 0x524
    std::uint8_t ShortcutSwap;                 // 0x528
    std::uint8_t Tail[3];                      // the section's 0x529 bytes, rounded to 32 bits
};

inline constexpr std::size_t kSharedSectionUsedSize = 0x529;

static_assert(std::is_standard_layout_v<SharedHookState> && std::is_trivially_copyable_v<SharedHookState>);
static_assert(std::has_unique_object_representations_v<SharedHookState>, "no hidden padding");
static_assert(sizeof(SharedHookState) == 0x52c);
static_assert(offsetof(SharedHookState, ShortcutSwap) + 1 == kSharedSectionUsedSize);
static_assert(offsetof(SharedHookState, HelpId) == 0x00a);
static_assert(offsetof(SharedHookState, TooltipMasterWindow) == 0x00c);
static_assert(offsetof(SharedHookState, HelpRestPoint) == 0x018);
static_assert(offsetof(SharedHookState, HelpTextThird) == 0x020);
static_assert(offsetof(SharedHookState, BackgroundFrozen) == 0x028);
static_assert(offsetof(SharedHookState, PaintCountdown) == 0x02a);
static_assert(offsetof(SharedHookState, VerticalFrozenBackground) == 0x02c);
static_assert(offsetof(SharedHookState, ClockImage) == 0x03c);
static_assert(offsetof(SharedHookState, TaskbarMoved) == 0x040);
static_assert(offsetof(SharedHookState, TaskbarPosition) == 0x043);
static_assert(offsetof(SharedHookState, FakeIconPresent) == 0x048);
static_assert(offsetof(SharedHookState, ChevronWidth) == 0x04c);
static_assert(offsetof(SharedHookState, FakeIconData) == 0x058);
static_assert(offsetof(SharedHookState, MainWindowRect) == 0x0b0);
static_assert(offsetof(SharedHookState, PreviousClockRect) == 0x0c0);
static_assert(offsetof(SharedHookState, ClockRect) == 0x0d0);
static_assert(offsetof(SharedHookState, MainWindowDc) == 0x0e0);
static_assert(offsetof(SharedHookState, KeyboardMenuChoice) == 0x0e8);
static_assert(offsetof(SharedHookState, OwnerDrawRectBelowTop) == 0x0f0);
static_assert(offsetof(SharedHookState, OwnerDrawRectAtTop) == 0x100);
static_assert(offsetof(SharedHookState, MenuDc) == 0x110);
static_assert(offsetof(SharedHookState, MenuWindow) == 0x118);
static_assert(offsetof(SharedHookState, UnhookPending) == 0x11c);
static_assert(offsetof(SharedHookState, TooltipShown) == 0x11e);
static_assert(offsetof(SharedHookState, HelpDelayTimer) == 0x120);
static_assert(offsetof(SharedHookState, RefreshTimer) == 0x128);
static_assert(offsetof(SharedHookState, ClickTimer) == 0x12c);
static_assert(offsetof(SharedHookState, DataBridgeTimer) == 0x130);
static_assert(offsetof(SharedHookState, DoubleClickDone) == 0x134);
static_assert(offsetof(SharedHookState, ClickPending) == 0x135);
static_assert(offsetof(SharedHookState, ClickPoint) == 0x138);
static_assert(offsetof(SharedHookState, RestoredProcedures) == 0x140);
static_assert(offsetof(SharedHookState, PreviousMenuProc) == 0x14c);
static_assert(offsetof(SharedHookState, PreviousClockProc) == 0x158);
static_assert(offsetof(SharedHookState, MainWindow) == 0x15c);
static_assert(offsetof(SharedHookState, TrayClockWindow) == 0x164);
static_assert(offsetof(SharedHookState, TaskbarWindow) == 0x17c);
static_assert(offsetof(SharedHookState, LastUnhookResult) == 0x180);
static_assert(offsetof(SharedHookState, Hook) == 0x184);
static_assert(offsetof(SharedHookState, LabelsReported) == 0x188);
static_assert(offsetof(SharedHookState, FloatingMode) == 0x18c);
static_assert(offsetof(SharedHookState, ColourCount) == 0x18e);
static_assert(offsetof(SharedHookState, SavedTaskbarExStyle) == 0x190);
static_assert(offsetof(SharedHookState, OSCode) == 0x198);
static_assert(offsetof(SharedHookState, OSBuild) == 0x19c);
static_assert(offsetof(SharedHookState, LabelPositionPending) == 0x1a0);
static_assert(offsetof(SharedHookState, LabelAllocPending) == 0x1a2);
static_assert(offsetof(SharedHookState, StagedLabelIndex) == 0x1a4);
static_assert(offsetof(SharedHookState, HookLabelCount) == 0x1a6);
static_assert(offsetof(SharedHookState, LabelFonts) == 0x1ac);
static_assert(offsetof(SharedHookState, BehaviorQueue) == 0x1b0);
static_assert(offsetof(SharedHookState, Staging) == 0x1b8);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, Face) == 0x1bc);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, Size) == 0x1de);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, StrikeOut) == 0x1e4);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, TextColor) == 0x1ec);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, Format) == 0x1f0);
static_assert(offsetof(SharedHookState, Staging) + offsetof(LabelStaging, Shown) == 0x3f4);
static_assert(offsetof(SharedHookState, NeverWritten3f8) == 0x3f8);
static_assert(offsetof(SharedHookState, HookLabels) == 0x3fc);
static_assert(offsetof(SharedHookState, DebugMode) == 0x400);
static_assert(offsetof(SharedHookState, PaintThreshold) == 0x402);
static_assert(offsetof(SharedHookState, Refresh) == 0x404);
static_assert(offsetof(SharedHookState, Transparent) == 0x408);
static_assert(offsetof(SharedHookState, TooltipFadeOut) == 0x40a);
static_assert(offsetof(SharedHookState, TooltipDelay) == 0x40e);
static_assert(offsetof(SharedHookState, TooltipEnabled) == 0x410);
static_assert(offsetof(SharedHookState, ClockBackground) == 0x414);
static_assert(offsetof(SharedHookState, ClockStyle) == 0x418);
static_assert(offsetof(SharedHookState, TrayClockHeight) == 0x41a);
static_assert(offsetof(SharedHookState, TrayClockWidth) == 0x41c);
static_assert(offsetof(SharedHookState, ImageFolder) == 0x420);
static_assert(offsetof(SharedHookState, SizeFixCount) == 0x524);

// The section of this copy of the library.
SharedHookState& Share();

}  // namespace hooklib

// The section itself, under its own name, so that whoever holds the library can find it.
extern "C" __attribute__((visibility("default"))) hooklib::SharedHookState OZRShare;
