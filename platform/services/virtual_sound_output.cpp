// The virtual sound output: a play lasts the sound's length in the installed clock's time, and is
// recorded with its file and length, so a test can see every play and its timing.
#include <map>

#include "platform/services/clock.h"
#include "platform/services/sound_file.h"
#include "platform/services/sound_output.h"
#include "platform/window/window.h"

namespace platform {
namespace {

std::map<UINT_PTR, VirtualSoundOutput*>& Outputs() {
    static std::map<UINT_PTR, VirtualSoundOutput*> outputs;
    return outputs;
}

void PlayTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = Outputs().find(id);
    if (it != Outputs().end()) it->second->TimerDue();
}

}  // namespace

VirtualSoundOutput::~VirtualSoundOutput() { Close(); }

bool VirtualSoundOutput::Open(const std::string& path, std::string* error) {
    Close();
    SoundFileInfo info;
    if (!ReadSoundFileInfo(path, &info, error)) return false;
    openPath_ = path;
    openLengthMs_ = info.LengthMs();
    isOpen_ = true;
    return true;
}

bool VirtualSoundOutput::Play(std::function<void()> onEnded, std::string* error) {
    Stop();
    if (!isOpen_) {
        if (error) *error = "no sound is open";
        return false;
    }
    const std::int64_t now = CurrentClock().MonotonicMs();
    plays_.push_back(RecordedPlay{openPath_, openLengthMs_, now, -1, false});
    playing_ = true;
    onEnded_ = std::move(onEnded);
    // A timer of at least the platform's tick; TimerDue waits on when it comes early.
    timerId_ = SetTimer(HWND{}, 0, static_cast<UINT>(openLengthMs_ > 0 ? openLengthMs_ : 1), PlayTimerProc);
    Outputs()[timerId_] = this;
    return true;
}

void VirtualSoundOutput::TimerDue() {
    if (!playing_) return;
    RecordedPlay& play = plays_.back();
    const std::int64_t now = CurrentClock().MonotonicMs();
    const std::int64_t end = play.startedMs + play.lengthMs;
    if (now < end) {
        // Whole-second timers keep to the wall clock's seconds; the play keeps to its own length.
        SetTimer(HWND{}, timerId_, static_cast<UINT>(end - now), PlayTimerProc);
        return;
    }
    KillTimer(HWND{}, timerId_);
    Outputs().erase(timerId_);
    timerId_ = 0;
    playing_ = false;
    play.endedMs = now;
    auto onEnded = std::move(onEnded_);
    onEnded_ = nullptr;
    if (onEnded) onEnded();
}

void VirtualSoundOutput::Stop() {
    if (!playing_) return;
    KillTimer(HWND{}, timerId_);
    Outputs().erase(timerId_);
    timerId_ = 0;
    playing_ = false;
    onEnded_ = nullptr;
    plays_.back().endedMs = CurrentClock().MonotonicMs();
    plays_.back().stopped = true;
}

void VirtualSoundOutput::Close() {
    Stop();
    isOpen_ = false;
    openPath_.clear();
    openLengthMs_ = 0;
}

}  // namespace platform
