// The text of the boxes that tell the user a shared routine failed on the program's own files: the
// routine's line ("Error in ProcessAlarms | mdlAlarms."), the possible reasons and the request to
// write to the makers. The text is fixed, not taken from the language file, since the language
// file itself may be what failed.
#pragma once

#include <string>
#include <string_view>

namespace core {

std::string RoutineFailureText(std::string_view routineLine);

}  // namespace core
