// Message boxes: who answers them. The real service prints the box on standard error (one line,
// see MessageBoxLine) and answers with its default button, as a headless run must; a run on a
// real desktop installs the presenter's boxes that a person answers (present/message_box_window.h).
#pragma once

#include <memory>

#include "platform/services/registry.h"
#include "platform/window/message_box.h"

namespace platform {

class MessageBoxes : public Service {
public:
    static std::unique_ptr<MessageBoxes> MakeReal();
    // Shows the box and returns the button chosen (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int Show(const MessageBoxRequest& request) = 0;
};

}  // namespace platform
