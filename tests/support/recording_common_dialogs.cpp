#include "tests/support/recording_common_dialogs.h"

#include "tests/support/install_double.h"

namespace testsupport {

using platform::forms::CommonDialogAnswer;
using platform::forms::CommonDialogRequest;

void RecordingCommonDialogs::Answer(CommonDialogAnswer answer) {
    answers_.push_back([answer](const CommonDialogRequest&) { return answer; });
}

void RecordingCommonDialogs::Answer(Answerer answer) { answers_.push_back(std::move(answer)); }

CommonDialogAnswer RecordingCommonDialogs::Ask(const CommonDialogRequest& request) {
    requests_.push_back(request);
    if (answers_.empty())
        throw platform::Error("A common dialog opened with no scripted answer left: " + platform::forms::CommonDialogLine(request));
    Answerer answer = std::move(answers_.front());
    answers_.pop_front();
    return answer(request);
}

RecordingCommonDialogs& UseRecordingCommonDialogs() { return InstallDouble<platform::CommonDialogs, RecordingCommonDialogs>(); }

}  // namespace testsupport
