#include "core/program.h"

namespace core {
int RunProgram() { return 0; }
}  // namespace core
