// The alarm sound on the main window's multimedia control: each due alarm starts its sound; an
// alarm whose sound loops plays it again LoopDelay seconds after each play ends, Loops times;
// closing the sounding alarm's window ends it all.
#include "core/frm_main.h"
#include "core/globals.h"

namespace core {

void frmMainForm::StartAlarmSound(std::int32_t alarmIndex, const std::string& sound, std::int16_t loops,
                                  std::int16_t loopDelay, bool loopOn) {
    mmc.Command = "Stop";
    mmc.Command = "Close";
    mmc.FileName = sound;
    mmc.Command = "Open";
    mmc.Command = "Play";
    if (mmc.Error != 0 && !sound.empty()) DebugLog("[frmMain]: The alarm sound did not play: " + mmc.ErrorMessage());
    SoundAlarmIndex = alarmIndex;
    SoundLoopsLeft = loops;
    SoundLoopDelay = loopDelay;
    SoundLoopOn = loopOn;
}

void frmMainForm::RestartAlarmSound() {
    mmc.Command = "Stop";
    mmc.Command = "Close";
    mmc.Command = "Open";
    mmc.Command = "Play";
    if (mmc.Error != 0) DebugLog("[frmMain]: The alarm sound did not play again: " + mmc.ErrorMessage());
}

void frmMainForm::mmc_Done(int NotifyCode) {
    (void)NotifyCode;
    mmc.Command = "Stop";
    mmc.Command = "Close";
    if (SoundLoopOn && SoundLoopsLeft > 0) {
        --SoundLoopsLeft;
        // Up to 60 s of pause: the milliseconds are counted in 32 bits.
        const std::int32_t delayMs = std::int32_t{SoundLoopDelay} * 1000;
        tmrSoundWait.Interval = delayMs > 0 ? delayMs : 1;
        tmrSoundWait.Enabled = true;
    }
}

void frmMainForm::tmrSoundWait_Timer() {
    tmrSoundWait.Enabled = false;
    RestartAlarmSound();
}

void frmMainForm::AlarmWindowDied(std::int32_t& index) {
    if (index != SoundAlarmIndex) return;
    mmc.Command = "Stop";
    mmc.Command = "Close";
    SoundLoopOn = false;
    SoundLoopsLeft = 0;
    tmrSoundWait.Enabled = false;
}

}  // namespace core
