// Common dialogs (colour, font, open file): who answers them. The real service lets a person
// answer in the toolkit's own dialog forms on a real desktop; a headless run, where nobody can,
// prints one line per dialog (see CommonDialogLine) and cancels it.
#pragma once

#include <memory>

#include "platform/forms/common_dialog.h"
#include "platform/services/registry.h"

namespace platform {

class CommonDialogs : public Service {
public:
    static std::unique_ptr<CommonDialogs> MakeReal();
    virtual forms::CommonDialogAnswer Ask(const forms::CommonDialogRequest& request) = 0;
};

// The dialog forms, whatever the presenter: what a person sees (tests of the forms use it).
std::unique_ptr<CommonDialogs> MakeCommonDialogWindows();

}  // namespace platform
