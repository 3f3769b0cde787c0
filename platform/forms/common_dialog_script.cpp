#include "platform/forms/common_dialog_script.h"

namespace platform::forms {

ScriptedCommonDialogs::ScriptedCommonDialogs() {
    SetCommonDialogHandler([this](const CommonDialogRequest& request) { return Next(request); });
}

ScriptedCommonDialogs::~ScriptedCommonDialogs() { SetCommonDialogHandler(nullptr); }

void ScriptedCommonDialogs::Answer(CommonDialogAnswer answer) {
    answers_.push_back([answer](const CommonDialogRequest&) { return answer; });
}

void ScriptedCommonDialogs::Answer(CommonDialogHandler answer) { answers_.push_back(std::move(answer)); }

CommonDialogAnswer ScriptedCommonDialogs::Next(const CommonDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) throw Error("A common dialog opened with no scripted answer left: " + CommonDialogLine(request));
    CommonDialogHandler answer = std::move(answers_.front());
    answers_.pop_front();
    return answer(request);
}

}  // namespace platform::forms
