// OZRClock: the executable is only this; the program's code lives in the ozrprogram library.
#include "core/program.h"

int main() { return core::RunProgram(); }
