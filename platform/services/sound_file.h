// Sound files: the header facts and the decoded samples of a .wav or .mp3 file (anything the
// decoder reads), as 16-bit interleaved frames.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

struct SoundFileInfo {
    int sampleRate = 0;
    int channels = 0;
    std::int64_t frames = 0;
    // The play length, rounded up to a whole millisecond.
    std::int64_t LengthMs() const;
};

// Reads a sound file from its beginning, a block of frames at a time.
class SoundFileReader {
public:
    SoundFileReader();
    ~SoundFileReader();
    SoundFileReader(const SoundFileReader&) = delete;
    SoundFileReader& operator=(const SoundFileReader&) = delete;

    // Opens a real path. False, with the reason in *error, when the file is missing, unreadable
    // or not a sound the decoder knows.
    bool Open(const std::string& path, std::string* error);
    const SoundFileInfo& Info() const { return info_; }
    // Reads up to `frames` frames into `samples` (frames × channels values); returns the frames
    // read, 0 at the end of the sound.
    std::int64_t Read(std::int16_t* samples, std::int64_t frames);

private:
    struct Decoder;
    std::unique_ptr<Decoder> decoder_;
    SoundFileInfo info_;
};

// The header facts of a sound file without keeping it open.
bool ReadSoundFileInfo(const std::string& path, SoundFileInfo* info, std::string* error);

}  // namespace platform
