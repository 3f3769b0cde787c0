// The sound output's recording double: the virtual output, which plays in the installed clock's
// time and records every play with its file and length.
#pragma once

#include "platform/services/sound_output.h"

namespace testsupport {

using RecordingSoundOutput = platform::VirtualSoundOutput;

// Installs a fresh recording sound output and returns it.
RecordingSoundOutput& UseRecordingSoundOutput();

}  // namespace testsupport
