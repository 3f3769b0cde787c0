#include "alarmmanager/frm_seti_ram.h"

#include <string>

#include "core/alarm.h"
#include "core/date_routines.h"
#include "core/debug_log.h"
#include "core/globals.h"
#include "platform/forms/picture.h"
#include "platform/services/paths.h"

namespace core {
namespace {

// The status pictures, by FLAG (0 off, 1 on, 2 passed); an enabled repeating alarm has its own.
const char* const kStatusPictures[] = {"WarlockAlarmOff.gif", "WarlockAlarmOn.gif", "WarlockAlarmPassed.gif"};
constexpr const char* kRepeatingPicture = "WarlockAlarmInfinite.gif";
constexpr int kStatusColumn = 0;
constexpr int kActivationColumn = 3;

}  // namespace

frmSetiRAMForm::frmSetiRAMForm() : Form("frmSetiRAM") {}

void frmSetiRAMForm::UpdateAlarmStatusPictureAndText(std::int16_t& index) {
    if (!AlarmsLoaded || index < 0 || static_cast<std::size_t>(index) >= Alarms.size()) return;
    const Alarm& a = Alarms[static_cast<std::size_t>(index)];
    for (int r = 1; r <= flxAlarms.Rows - 2; ++r) {
        if (flxAlarms.RowData(r) != index) continue;
        if (a.FLAG <= 2) {
            const char* file = (a.FLAG == kAlarmOn && (a.Flags & kAlarmRepetitive)) ? kRepeatingPicture : kStatusPictures[a.FLAG];
            flxAlarms.Row = r;
            flxAlarms.Col = kStatusColumn;
            try {
                flxAlarms.CellPicture = platform::forms::LoadPicture(platform::ProgramFolder() + "\\GUI\\Settings\\" + file);
            } catch (const platform::Error& e) {
                // The row still gets its time; the missing picture is told, not fatal.
                DebugLog(std::string("[frmSetiRAM]: ") + e.what());
            }
        }
        flxAlarms.TextMatrix(r, kActivationColumn) = FormatDateTimeString(a.FIRE);
    }
}

frmSetiRAMForm& frmSetiRAM() {
    static frmSetiRAMForm form;
    return form;
}

}  // namespace core
