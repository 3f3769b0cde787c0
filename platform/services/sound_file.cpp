#include "platform/services/sound_file.h"

#include <sndfile.h>

namespace platform {

struct SoundFileReader::Decoder {
    SNDFILE* file = nullptr;
    ~Decoder() {
        if (file) sf_close(file);
    }
};

std::int64_t SoundFileInfo::LengthMs() const {
    if (sampleRate <= 0 || frames <= 0) return 0;
    return (frames * 1000 + sampleRate - 1) / sampleRate;
}

SoundFileReader::SoundFileReader() = default;
SoundFileReader::~SoundFileReader() = default;

bool SoundFileReader::Open(const std::string& path, std::string* error) {
    decoder_.reset();
    info_ = {};
    SF_INFO sf{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &sf);
    if (!file) {
        if (error) *error = "cannot open the sound \"" + path + "\": " + sf_strerror(nullptr);
        return false;
    }
    auto decoder = std::make_unique<Decoder>();
    decoder->file = file;
    if (sf.channels < 1 || sf.samplerate < 1) {
        if (error) *error = "the sound \"" + path + "\" has no playable audio";
        return false;
    }
    decoder_ = std::move(decoder);
    info_.sampleRate = sf.samplerate;
    info_.channels = sf.channels;
    info_.frames = sf.frames;
    return true;
}

std::int64_t SoundFileReader::Read(std::int16_t* samples, std::int64_t frames) {
    if (!decoder_ || frames <= 0) return 0;
    sf_count_t got = sf_readf_short(decoder_->file, samples, frames);
    return got > 0 ? got : 0;
}

bool ReadSoundFileInfo(const std::string& path, SoundFileInfo* info, std::string* error) {
    SoundFileReader reader;
    if (!reader.Open(path, error)) return false;
    *info = reader.Info();
    return true;
}

}  // namespace platform
