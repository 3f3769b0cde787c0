#include "platform/services/sound_output.h"

namespace platform {

std::unique_ptr<SoundOutput> SoundOutput::MakeReal() { return MakeAlsaSoundOutput(); }

}  // namespace platform
