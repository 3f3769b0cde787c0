#include "tests/support/recording_clock.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingClock::RecordingClock(std::int64_t startUtcMs) : clock_(platform::MakeVirtualClock(startUtcMs)) {}

std::int64_t RecordingClock::MonotonicMs() const { return clock_->MonotonicMs(); }
std::int64_t RecordingClock::UtcMs() const { return clock_->UtcMs(); }
void RecordingClock::Advance(std::int64_t ms) { clock_->Advance(ms); }

bool RecordingClock::SetUtcMs(std::int64_t utcMs) {
    sets_.push_back(utcMs);
    return !refuse_ && clock_->SetUtcMs(utcMs);
}

RecordingClock& UseRecordingClock(std::int64_t startUtcMs) { return InstallDouble<platform::Clock, RecordingClock>(startUtcMs); }

}  // namespace testsupport
