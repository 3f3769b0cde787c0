// What the program and the library OZRClock both rely on, declared once for both: how the library
// finds the program's main window, the messages the main window takes, the label flag bits the
// library reports, and the exit question both ask.
#pragma once

#include <cstdint>

#include "platform/base.h"
#include "platform/window/messages.h"

namespace hooklib {

// The program's main window; the library and a second copy find it by this title.
inline constexpr const char* kMainWindowTitle = "OZR Ruriv Main Window";

// A second copy asks the running one to come to the front (wParam 1).
inline constexpr platform::UINT WM_CLOCKACTIVATE = 0x06BE;
// The clock is asked to quit.
inline constexpr platform::UINT WM_CLOCKQUIT = 0x2474;

// The library reports to the main window with WM_CLOCKNOTIFY (wParam the code, lParam below),
// always sent, never posted.
inline constexpr platform::UINT WM_CLOCKNOTIFY = 0x2473;
inline constexpr platform::WPARAM CN_OPENSETTINGS = 1;         // lParam: the taskbar's handle
inline constexpr platform::WPARAM CN_OPENALARMS = 2;           // lParam: the taskbar's handle
inline constexpr platform::WPARAM CN_OPENABOUT = 3;            // lParam: the taskbar's handle
inline constexpr platform::WPARAM CN_EXIT = 4;                 // lParam: 0
inline constexpr platform::WPARAM CN_HELPDISMISSED = 5;        // lParam: the help id
inline constexpr platform::WPARAM CN_ALARMWINDOWCLOSED = 6;    // lParam: the alarm id given to OZRFireAlarm
inline constexpr platform::WPARAM CN_SYNCCLOCK = 7;            // lParam: the taskbar's handle
inline constexpr platform::WPARAM CN_LABELSREADY = 500201;     // a label count or one label's properties were taken
inline constexpr platform::WPARAM CN_TASKBARDROPPED = 500202;  // lParam: the taskbar's handle

// A label batch: WM_COPYDATA records (wParam the main window's own handle), per reported label
// CD_LABELINDEX (16-bit index), CD_LABELFLAGS (32-bit LabelFlags) and CD_LABELTEXT (the text,
// one 16-bit unit per byte, the byte sign-extended; cbData twice the byte count, no terminator),
// closed by one CD_END (16-bit label count). The receiver takes each text unit's low byte, which
// gives the UTF-8 bytes back.
inline constexpr std::uintptr_t CD_END = 0;
inline constexpr std::uintptr_t CD_LABELINDEX = 1000;
inline constexpr std::uintptr_t CD_LABELFLAGS = 1001;
inline constexpr std::uintptr_t CD_LABELTEXT = 1002;

// Debug lines reach the main window as WM_SETTEXT (wParam 0, lParam the zero-terminated line).

// LabelFlags bits: the library gathers them from a label's script and reports them with
// CD_LABELFLAGS; the program lays its floating clock out by them.
inline constexpr std::uint32_t kLabelAlignLeft = 0x02;
inline constexpr std::uint32_t kLabelAlignCentre = 0x04;
inline constexpr std::uint32_t kLabelAlignRight = 0x08;
inline constexpr std::uint32_t kLabelTooltipOnly = 0x80;
// A label class the label page lists apart; no token sets it.
inline constexpr std::uint32_t kLabelListedApart = 0x100;
// The labels with one of these bits are only reported to the program: no clock paints them, on
// the taskbar or floating.
inline constexpr std::uint32_t kLabelReportOnly = kLabelTooltipOnly | kLabelListedApart;
constexpr bool PaintedOnClock(std::uint32_t labelFlags) { return (labelFlags & kLabelReportOnly) == 0; }

// The question before the clock quits, asked by the clock's menu and by the taskbar menu alike.
// Its texts are fixed; they do not come from the language file.
inline constexpr const char* kExitQuestion = "Are you sure you want to exit OZR Ruriv?";
inline constexpr const char* kExitQuestionTitle = "OZR Ruriv - Question";
inline constexpr platform::UINT kExitQuestionStyle = platform::MB_YESNO | platform::MB_ICONQUESTION | platform::MB_SYSTEMMODAL;

}  // namespace hooklib
