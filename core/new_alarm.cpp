#include "core/globals.h"

namespace core {
namespace {

constexpr std::int32_t kNewAlarmWindowProperties = 70;  // 2 on top + 4 3D + 64 movable
constexpr std::uint8_t kNewAlarmAlpha = 200;
constexpr std::int32_t kNewAlarmBackColor = 0xEEEEEE;
constexpr const char* kNewAlarmFont =
    "<@Title 0: |FontBackColor:  15658734  |FontForeColor: 0 |FontName: Arial |FontSize: 10 |FontBold: 400 "
    "|FontItalic: 0 |FontUnderline: 0 |FontStrikeout: 0 @> ";

}  // namespace

void StartNewAlarm() {
    Alarm fresh;  // every other field starts at 0 or empty
    fresh.WindowProperties = kNewAlarmWindowProperties;
    fresh.Alpha = kNewAlarmAlpha;
    fresh.BackColor = kNewAlarmBackColor;
    fresh.FontInformation = kNewAlarmFont;
    fresh.Flags = kAlarmAutoSize | kAlarmCentered;
    AlarmUnderEdit = fresh;
    AlarmEditProgress = 1;
    WarlockAnimFrame = 1;
    WarlockAnimReverse = false;
}

}  // namespace core
