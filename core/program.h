// The program's entry: starts the platform, loads frmMain and runs until Quit.
#pragma once

#include <string>

namespace core {

// The whole run of the executable: reads the platform options, starts it in the folder of the
// executable, loads the main window and runs the message loop. Returns the exit status.
int RunProgram();

// Loads the main window in an already started platform (the executable and the in-process
// desktop tests both come here). False when the program ended during start-up (a second copy,
// or a fatal start-up error); the exit status is then posted as the loop's quit code.
bool StartProgram();

}  // namespace core
