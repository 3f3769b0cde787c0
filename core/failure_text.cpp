#include "core/failure_text.h"

namespace core {

std::string RoutineFailureText(std::string_view routineLine) {
    return std::string(routineLine) +
           "\r\n"
           "\r\n"
           "Possible reasons:\r\n"
           "   - Corruption/infection/deletion of program files.\r\n"
           "   - Internal algorithm error.\r\n"
           "\r\n"
           "We are sorry for any inconveniences this error may have caused you. It would be of great help for Dralo "
           "Software Development if you could find a little time and write us a small description of what you were "
           "trying to do when this error occurred. If you do so, we will investigate the problem and provide you with "
           "an explanation or even a newer version of the program if this error was caused by a bug. The contact "
           "e-mail addresses are in the \"About\" section (F6) of the program.";
}

}  // namespace core
