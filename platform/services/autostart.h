// Starting the clock with the user's session: an XDG autostart entry, the file
// "autostart/dralo-ozr-ruriv.desktop" in the user's configuration folder ($XDG_CONFIG_HOME, or
// ~/.config when that is unset or not an absolute path). Session managers start what it names.
#pragma once

#include <memory>
#include <string>

#include "platform/services/registry.h"

namespace platform {

class Autostart : public Service {
public:
    static std::unique_ptr<Autostart> MakeReal();
    // Writes the entry atomically, naming the program (a real path) as the command; false when
    // it could not be written. Why is in LastError().
    virtual bool Enable(const std::string& program) = 0;
    // Removes the entry; true when it is gone afterwards (also when it was never there).
    virtual bool Disable() = 0;
    virtual std::string LastError() const = 0;
};

// The real entry in a configuration folder of the caller's choice (tests use a temporary one).
std::unique_ptr<Autostart> MakeAutostartIn(const std::string& configFolder);

inline constexpr const char* kAutostartEntryName = "dralo-ozr-ruriv.desktop";

// The entry's text: Type, Name and Exec, the program quoted as the Desktop Entry rules ask.
std::string AutostartEntryText(const std::string& program);
// One argument of an Exec line: double-quoted when it holds a reserved character, with '"', '`',
// '$' and '\' escaped inside the quotes, '%' doubled, and the value's own escapes applied last.
std::string QuoteExecArgument(const std::string& argument);

}  // namespace platform
