// The real sound output: a worker thread decodes the file and writes it to an ALSA device; the
// message loop learns of the play's natural end through an eventfd, so the end is reported on
// the GUI thread like every other event. A stopped play never reports.
#include <alsa/asoundlib.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/services/detail/lazy_library.h"
#include "platform/services/sound_file.h"
#include "platform/services/sound_output.h"
#include "platform/window/loop.h"

namespace platform {
namespace {

// ALSA prints its own complaints (a missing card, an unknown device) to stderr; the output
// reports failures through its results instead.
void QuietAlsaErrors(const char*, int, const char*, int, const char*, ...) {}

// ALSA's entry points; the library is opened at the first play, not at start.
struct AlsaCalls {
    decltype(&snd_pcm_open) open = nullptr;
    decltype(&snd_pcm_set_params) setParams = nullptr;
    decltype(&snd_pcm_writei) write = nullptr;
    decltype(&snd_pcm_recover) recover = nullptr;
    decltype(&snd_pcm_drop) drop = nullptr;
    decltype(&snd_pcm_drain) drain = nullptr;
    decltype(&snd_pcm_close) close = nullptr;
    decltype(&snd_strerror) strerror = nullptr;
};

const AlsaCalls* Alsa(std::string* error) {
    return detail::OpenCalls<AlsaCalls>(
        "libasound.so.2",
        [](detail::LazyLibrary& l, AlsaCalls& c) {
            decltype(&snd_lib_error_set_handler) setErrorHandler = nullptr;
            const bool bound = l.Bind(c.open, "snd_pcm_open") && l.Bind(c.setParams, "snd_pcm_set_params") &&
                               l.Bind(c.write, "snd_pcm_writei") && l.Bind(c.recover, "snd_pcm_recover") &&
                               l.Bind(c.drop, "snd_pcm_drop") && l.Bind(c.drain, "snd_pcm_drain") &&
                               l.Bind(c.close, "snd_pcm_close") && l.Bind(c.strerror, "snd_strerror") &&
                               l.Bind(setErrorHandler, "snd_lib_error_set_handler");
            if (bound) setErrorHandler(QuietAlsaErrors);
            return bound;
        },
        error);
}

constexpr unsigned int kLatencyUs = 200'000;

snd_pcm_t* OpenDevice(const AlsaCalls& alsa, const std::string& name, const SoundFileInfo& info, std::string* why) {
    snd_pcm_t* pcm = nullptr;
    int rc = alsa.open(&pcm, name.c_str(), SND_PCM_STREAM_PLAYBACK, 0);
    if (rc < 0) {
        *why = "the sound device \"" + name + "\" cannot be opened: " + alsa.strerror(rc);
        return nullptr;
    }
    rc = alsa.setParams(pcm, SND_PCM_FORMAT_S16, SND_PCM_ACCESS_RW_INTERLEAVED, static_cast<unsigned int>(info.channels),
                        static_cast<unsigned int>(info.sampleRate), 1, kLatencyUs);
    if (rc < 0) {
        *why = "the sound device \"" + name + "\" does not take this sound: " + alsa.strerror(rc);
        alsa.close(pcm);
        return nullptr;
    }
    return pcm;
}

// One play: the decoder, the device and the worker that feeds it.
struct PlayRun {
    const AlsaCalls* alsa = nullptr;
    SoundFileReader reader;
    snd_pcm_t* pcm = nullptr;
    int endedFd = -1;
    int sourceId = 0;
    std::function<void()> onEnded;
    std::thread worker;
    std::mutex mutex;
    std::condition_variable wake;
    std::atomic<bool> stop{false};

    void Feed();
};

void PlayRun::Feed() {
    using Clock = std::chrono::steady_clock;
    const SoundFileInfo& info = reader.Info();
    const auto end = Clock::now() + std::chrono::milliseconds(info.LengthMs());
    const std::int64_t block = std::max(1, info.sampleRate / 20);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(block * info.channels));
    bool failed = false;
    while (!stop && !failed) {
        std::int64_t got = reader.Read(samples.data(), block);
        if (got == 0) break;
        const std::int16_t* at = samples.data();
        while (got > 0 && !stop) {
            snd_pcm_sframes_t put = alsa->write(pcm, at, static_cast<snd_pcm_uframes_t>(got));
            if (put < 0) put = alsa->recover(pcm, static_cast<int>(put), 1);
            if (put < 0) {
                failed = true;  // the device went away: the play ends here
                break;
            }
            at += put * info.channels;
            got -= put;
        }
    }
    if (stop)
        alsa->drop(pcm);
    else
        alsa->drain(pcm);
    // A device without a clock of its own (the null device) takes the sound at once; the play
    // still lasts as long as the sound.
    {
        std::unique_lock lock(mutex);
        wake.wait_until(lock, end, [this] { return stop.load(); });
    }
    alsa->close(pcm);
    pcm = nullptr;
    if (!stop) {
        std::uint64_t one = 1;
        [[maybe_unused]] ssize_t n = write(endedFd, &one, sizeof one);
    }
}

class AlsaSoundOutput final : public SoundOutput {
public:
    explicit AlsaSoundOutput(std::string device) : device_(std::move(device)) {}
    ~AlsaSoundOutput() override { Close(); }

    bool Open(const std::string& path, std::string* error) override {
        Close();
        SoundFileInfo info;
        if (!ReadSoundFileInfo(path, &info, error)) return false;
        openPath_ = path;
        return true;
    }

    bool Play(std::function<void()> onEnded, std::string* error) override {
        Stop();
        if (openPath_.empty()) {
            if (error) *error = "no sound is open";
            return false;
        }
        auto run = std::make_unique<PlayRun>();
        if (!run->reader.Open(openPath_, error)) return false;
        std::string why;
        run->alsa = Alsa(&why);
        if (!run->alsa) {
            if (error) *error = why;
            return false;
        }
        for (const std::string& name : DeviceNames()) {
            run->pcm = OpenDevice(*run->alsa, name, run->reader.Info(), &why);
            if (run->pcm) break;
        }
        if (!run->pcm) {
            if (error) *error = why;
            return false;
        }
        run->endedFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (run->endedFd < 0) {
            run->alsa->close(run->pcm);
            if (error) *error = "no event descriptor for the sound's end";
            return false;
        }
        run->onEnded = std::move(onEnded);
        run->sourceId = AddEventSource(run->endedFd, [this] { Ended(); });
        PlayRun* raw = run.get();
        run->worker = std::thread([raw] { raw->Feed(); });
        run_ = std::move(run);
        return true;
    }

    void Stop() override {
        if (!run_) return;
        {
            std::lock_guard lock(run_->mutex);
            run_->stop = true;
        }
        run_->wake.notify_all();
        Finish();
    }

    void Close() override {
        Stop();
        openPath_.clear();
    }

private:
    std::vector<std::string> DeviceNames() const {
        if (!device_.empty()) return {device_};
        return {"default", "null"};
    }

    // The worker has told of the play's natural end.
    void Ended() {
        if (!run_) return;
        std::function<void()> onEnded = std::move(run_->onEnded);
        Finish();
        if (onEnded) onEnded();
    }

    void Finish() {
        run_->worker.join();
        RemoveEventSource(run_->sourceId);
        close(run_->endedFd);
        run_.reset();
    }

    std::string device_;
    std::string openPath_;
    std::unique_ptr<PlayRun> run_;
};

}  // namespace

std::unique_ptr<SoundOutput> MakeAlsaSoundOutput(const std::string& device) {
    return std::make_unique<AlsaSoundOutput>(device);
}

}  // namespace platform
