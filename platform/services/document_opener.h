// Opening a file, document or address with the program the desktop associates with it.
#pragma once

#include <memory>
#include <string>

#include "platform/services/registry.h"
#include "platform/window/window.h"

namespace platform {

// The real service hands the target to xdg-open as its one argument; a target that starts with
// "-" goes as "./" followed by it, so xdg-open never takes it for an option.
class DocumentOpener : public Service {
public:
    static std::unique_ptr<DocumentOpener> MakeReal();
    // showMode is the SW_ value the caller asked for; the desktop's opener may not honour it.
    // False when nothing could be started.
    virtual bool Open(const std::string& target, int showMode) = 0;
};

// The desktop's name for it. Only the verb "open" (or none) without parameters is known; the
// result is above 32 when the document was handed on, else an error code (2 file not found,
// 31 no association for the verb).
constexpr std::intptr_t SE_ERR_FNF = 2;
constexpr std::intptr_t SE_ERR_NOASSOC = 31;
std::intptr_t ShellExecute(HWND owner, const char* verb, const char* file, const char* parameters,
                           const char* directory, int showMode);

}  // namespace platform
