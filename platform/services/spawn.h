// Starting an outside program: the argument list goes to the program as it stands (no shell ever
// reads it), the program runs on its own, and nothing waits for it to end.
#pragma once

#include <string>
#include <vector>

namespace platform {

// argv[0] is looked up on PATH. False when the program could not be started.
bool SpawnDetached(const std::vector<std::string>& argv);

}  // namespace platform
