// The program's entry: starts the platform, loads frmMain and runs until Quit.
#pragma once

namespace core {
int RunProgram();
}
