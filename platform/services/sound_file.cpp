#include "platform/services/sound_file.h"

#include <sndfile.h>

#include "platform/services/detail/lazy_library.h"
#include "platform/services/regular_file.h"

namespace platform {
namespace {

// The decoder's entry points; its library (and the codecs it pulls in) is opened at the first
// sound, not at start.
struct SndfileCalls {
    decltype(&sf_open_fd) openFd = nullptr;
    decltype(&sf_close) close = nullptr;
    decltype(&sf_readf_short) readShortFrames = nullptr;
    decltype(&sf_strerror) strerror = nullptr;
};

const SndfileCalls* Sndfile(std::string* error) {
    return detail::OpenCalls<SndfileCalls>(
        "libsndfile.so.1",
        [](detail::LazyLibrary& l, SndfileCalls& c) {
            return l.Bind(c.openFd, "sf_open_fd") && l.Bind(c.close, "sf_close") &&
                   l.Bind(c.readShortFrames, "sf_readf_short") && l.Bind(c.strerror, "sf_strerror");
        },
        error);
}

}  // namespace

struct SoundFileReader::Decoder {
    const SndfileCalls* calls = nullptr;
    SNDFILE* file = nullptr;
    ~Decoder() {
        if (file) calls->close(file);
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
    std::string why;
    const SndfileCalls* calls = Sndfile(&why);
    if (!calls) {
        if (error) *error = "cannot open the sound \"" + path + "\": " + why;
        return false;
    }
    RegularFile source(path);
    if (!source) {
        if (error) *error = "cannot open the sound \"" + path + "\": " + source.why();
        return false;
    }
    SF_INFO sf{};
    // The decoder takes the descriptor over and closes it, also when it cannot read the sound.
    SNDFILE* file = calls->openFd(source.Release(), SFM_READ, &sf, SF_TRUE);
    if (!file) {
        if (error) *error = "cannot open the sound \"" + path + "\": " + calls->strerror(nullptr);
        return false;
    }
    auto decoder = std::make_unique<Decoder>();
    decoder->calls = calls;
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
    sf_count_t got = decoder_->calls->readShortFrames(decoder_->file, samples, frames);
    return got > 0 ? got : 0;
}

bool ReadSoundFileInfo(const std::string& path, SoundFileInfo* info, std::string* error) {
    SoundFileReader reader;
    if (!reader.Open(path, error)) return false;
    *info = reader.Info();
    return true;
}

}  // namespace platform
