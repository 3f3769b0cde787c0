// The sound output service: plays one sound file at a time, as the multimedia control asks.
// The real output decodes the file and plays it through ALSA (the system's default device, or
// its null device where there is no sound card); the virtual output plays in the installed
// clock's time and records every play, for tests and runs on a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/services/registry.h"

namespace platform {

class SoundOutput : public Service {
public:
    static std::unique_ptr<SoundOutput> MakeReal();  // ALSA on the default device, else "null"
    // Opens a sound file (a real path), closing what was open. False, with the reason in *error,
    // when it is missing or cannot be decoded; nothing is open then.
    virtual bool Open(const std::string& path, std::string* error) = 0;
    // Plays the open sound from its beginning, ending any play in progress. onEnded runs from the
    // message loop when this play has ended by itself; never after Stop, Close or another Play.
    // False, with the reason in *error, when nothing is open or no device takes the sound.
    virtual bool Play(std::function<void()> onEnded, std::string* error) = 0;
    // Ends a play in progress at once; its onEnded never runs.
    virtual void Stop() = 0;
    // Stops, and forgets the open sound.
    virtual void Close() = 0;
};

// ALSA output on the named device; an empty name tries the default device, then "null".
std::unique_ptr<SoundOutput> MakeAlsaSoundOutput(const std::string& device = "");

// One play as the virtual output recorded it.
struct RecordedPlay {
    std::string path;
    std::int64_t lengthMs = 0;
    std::int64_t startedMs = 0;  // monotonic time of the clock
    std::int64_t endedMs = -1;   // when it ended by itself or was stopped; -1 while playing
    bool stopped = false;        // ended by Stop, Close or another Play
};

// Plays in the installed clock's time: a play ends by itself its length after it started.
class VirtualSoundOutput : public SoundOutput {
public:
    ~VirtualSoundOutput() override;
    bool Open(const std::string& path, std::string* error) override;
    bool Play(std::function<void()> onEnded, std::string* error) override;
    void Stop() override;
    void Close() override;

    const std::vector<RecordedPlay>& Plays() const { return plays_; }
    bool Playing() const { return playing_; }
    // Runs by the timer of the play in progress.
    void TimerDue();

private:
    std::string openPath_;
    std::int64_t openLengthMs_ = 0;
    bool isOpen_ = false;
    bool playing_ = false;
    std::uintptr_t timerId_ = 0;
    std::function<void()> onEnded_;
    std::vector<RecordedPlay> plays_;
};

// The output the platform plays through (ALSA unless another was installed).
inline SoundOutput& CurrentSoundOutput() { return UseService<SoundOutput>(); }

}  // namespace platform
