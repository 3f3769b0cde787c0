#include "tests/support/recording_sound_output.h"

#include "tests/support/install_double.h"

namespace testsupport {

RecordingSoundOutput& UseRecordingSoundOutput() { return InstallDouble<platform::SoundOutput, RecordingSoundOutput>(); }

}  // namespace testsupport
