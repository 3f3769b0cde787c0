#include "platform/window/message_box.h"

#include <cstdio>

#include "platform/services/message_boxes.h"
#include "platform/window/modal.h"

namespace platform {
namespace {

class PrintedMessageBoxes final : public MessageBoxes {
public:
    int Show(const MessageBoxRequest& request) override {
        std::string line = MessageBoxLine(request);
        std::fprintf(stderr, "%s\n", line.c_str());
        std::fflush(stderr);
        return DefaultMessageBoxButton(request.type);
    }
};

MessageBoxWords& Words() {
    static MessageBoxWords words;
    return words;
}

}  // namespace

void SetMessageBoxWords(const MessageBoxWords& words) { Words() = words; }

std::unique_ptr<MessageBoxes> MessageBoxes::MakeReal() { return std::make_unique<PrintedMessageBoxes>(); }

int DefaultMessageBoxButton(UINT type) {
    static const int kButtons[][3] = {
        {IDOK, IDOK, IDOK},            // MB_OK
        {IDOK, IDCANCEL, IDCANCEL},    // MB_OKCANCEL
        {IDOK, IDCANCEL, IDCANCEL},    // (abort/retry/ignore is not used)
        {IDYES, IDNO, IDCANCEL},       // MB_YESNOCANCEL
        {IDYES, IDNO, IDNO},           // MB_YESNO
        {IDOK, IDCANCEL, IDCANCEL},    // (retry/cancel is not used)
    };
    UINT buttons = type & 0xF;
    if (buttons > 5) buttons = 0;
    UINT which = (type & MB_DEFBUTTON3) ? 2 : (type & MB_DEFBUTTON2) ? 1 : 0;
    return kButtons[buttons][which];
}

std::string MessageBoxLine(const MessageBoxRequest& request) {
    // Line breaks of the text stay visible as \n so that one box is one line.
    std::string text;
    for (char c : request.text) {
        if (c == '\r') continue;
        if (c == '\n')
            text += "\\n";
        else
            text += c;
    }
    return "MessageBox " + std::to_string(request.type) + " \"" + request.caption + "\": " + text;
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    MessageBoxRequest request{owner, text ? text : "", caption ? caption : "", type, Words()};
    // However it is answered (a person, a test, the headless default), the box blocks what it
    // blocks until then.
    ModalWait wait(owner, (type & MB_SYSTEMMODAL) != 0);
    return UseService<MessageBoxes>().Show(request);
}

}  // namespace platform
