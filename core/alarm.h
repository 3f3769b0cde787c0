// Alarm: the record of one alarm, and the alarm list Alarms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/date_time.h"

namespace core {

// FLAG: the alarm's state.
inline constexpr std::uint8_t kAlarmOff = 0;
inline constexpr std::uint8_t kAlarmOn = 1;
inline constexpr std::uint8_t kAlarmPassed = 2;  // a one-time alarm after it has fired

// Flags: the alarm's kind and window, set by the alarm wizard.
inline constexpr std::int32_t kAlarmRepetitive = 0x1;
inline constexpr std::int32_t kAlarmCountdown = 0x2;
inline constexpr std::int32_t kAlarmStartFrom = 0x4;
inline constexpr std::int32_t kAlarmByInterval = 0x8;  // a repetitive alarm without it repeats by days
inline constexpr std::int32_t kAlarmSlide = 0x10;
inline constexpr std::int32_t kAlarmAutoSize = 0x20;
inline constexpr std::int32_t kAlarmCentered = 0x40;
inline constexpr std::int32_t kAlarmAtHotspot = 0x80;
inline constexpr std::int32_t kAlarmLoopSound = 0x100;
inline constexpr std::int32_t kAlarmWindowless = 0x200;
inline constexpr std::int32_t kAlarmRetroactive = 0x400;

// WindowStyle: 0 FSingle, 1 ToolBox, 2 Drag; no other style makes a window.
inline constexpr std::uint8_t kLastWindowStyle = 2;

// AlarmState: run-time bits, 0 after a load, never stored.
inline constexpr std::uint8_t kAlarmDeleted = 2;      // removed from its file by the next save
inline constexpr std::uint8_t kAlarmRemoved = 4;      // gone from its file; every later save skips it
inline constexpr std::uint8_t kAlarmHeldBack = 8;     // saves skip it until Apply (the wizard, the alarm manager)
inline constexpr std::uint8_t kAlarmStartAhead = 16;  // an interval alarm whose start lies ahead: not fired
// Held with no next firing (an interval of 0 or less, or a firing time whose year four digits
// cannot hold): FIRE stays, the engine does not fire it and the time to the next alarm leaves it
// out, until a computation finds a firing again.
inline constexpr std::uint8_t kAlarmNoNextFiring = 32;

// RepeatDaily: Monday 0x01 to Saturday 0x20, Sunday 0x40; exactly 0x80 is every day.
inline constexpr std::uint8_t kEveryDay = 0x80;

// The slide-in and slide-out block, handed whole to the library, so its layout is fixed: 16 bytes,
// little-endian, in this order.
struct SlideSettings {
    std::int16_t SlideInTime = 0;       // ms
    std::int16_t SlideInAlphaTime = 0;  // ms; -1 no fading
    std::uint8_t SlideInAlphaStartValue = 0;
    std::uint8_t SlideInAlphaStopValue = 0;
    std::uint8_t SlideInDirection = 0;  // 10, 11 or 12
    std::uint8_t Reserved1 = 0;
    std::int16_t SlideOutTime = 0;
    std::int16_t SlideOutAlphaTime = 0;
    std::uint8_t SlideOutAlphaStartValue = 0;
    std::uint8_t SlideOutAlphaStopValue = 0;
    std::uint8_t SlideOutDirection = 0;
    std::uint8_t Reserved2 = 0;
    bool operator==(const SlideSettings&) const = default;
};
static_assert(sizeof(SlideSettings) == 16);
static_assert(offsetof(SlideSettings, SlideInDirection) == 6 && offsetof(SlideSettings, SlideOutTime) == 8 &&
              offsetof(SlideSettings, SlideOutAlphaTime) == 10 && offsetof(SlideSettings, SlideOutDirection) == 14);

struct Alarm {
    std::uint8_t FLAG = kAlarmOff;
    std::string AlarmKey;  // names its section "ZTVALR: " + AlarmKey
    std::string NAME;
    DateTime FIRE;  // next firing time
    DateTime OriginalDate;  // the clock time, and where a countdown or an interval runs from
    std::int32_t OriginalCountdown = 0;  // seconds
    std::int32_t RepeatInterval = 0;     // seconds
    std::uint8_t RepeatDaily = 0;
    std::string Title;
    std::string Text;  // may hold CR LF
    std::uint8_t CustomPosition = 0;  // hotspot 0 upper left, clockwise to 7 left centre
    core::SlideSettings SlideSettings;
    std::int16_t X = 0;  // pixels
    std::int16_t Y = 0;
    std::int16_t W = 0;
    std::int16_t H = 0;
    std::uint8_t WindowStyle = 0;  // 0 FSingle, 1 ToolBox, 2 Drag
    std::int32_t WindowProperties = 0;
    std::int32_t ColorKey = 0;
    std::uint8_t Alpha = 0;
    std::uint8_t Visuals = 0;  // 1 colour key, 2 alpha
    std::int32_t BackColor = 0;
    std::int32_t TextColor = 0;
    std::string FontInformation;  // property string, block "Title 0"
    std::string Icon;
    std::string Background;
    std::string Sound;
    std::int16_t Loops = 0;
    std::int16_t LoopDelay = 0;  // seconds
    std::uint8_t AlarmState = 0;
    std::string CollectionFile;  // relative to the Alarms folder; empty for the blank record
    std::string Instruction;     // property string of the special behaviours
    std::string Extra;           // property string of the behaviours' texts
    std::int32_t Flags = 0;
    bool operator==(const Alarm&) const = default;
};

// Every alarm of every collection, in the order of the master playlist and of each collection's
// list. Never empty: with no alarm listed it holds one blank record, never fired and never saved.
// A deleted alarm stays, marked, until the files are loaded again, so indices held elsewhere stay
// valid.
inline std::vector<Alarm> Alarms(1);

}  // namespace core
