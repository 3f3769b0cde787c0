#include "platform/services/sound_output.h"

namespace platform {

namespace {
std::unique_ptr<SoundOutput>& Installed() {
    static std::unique_ptr<SoundOutput> output;
    return output;
}
}  // namespace

SoundOutput& CurrentSoundOutput() {
    if (!Installed()) Installed() = MakeAlsaSoundOutput();
    return *Installed();
}

void InstallSoundOutput(std::unique_ptr<SoundOutput> output) { Installed() = std::move(output); }

VirtualSoundOutput& InstallVirtualSoundOutput() {
    auto output = std::make_unique<VirtualSoundOutput>();
    VirtualSoundOutput& ref = *output;
    InstallSoundOutput(std::move(output));
    return ref;
}

}  // namespace platform
