#include "tests/support/recording_message_boxes.h"

#include "tests/support/install_double.h"

namespace testsupport {

int RecordingMessageBoxes::Show(const platform::MessageBoxRequest& request) {
    requests_.push_back(request);
    if (whileShown) whileShown(request);
    if (!next_.empty()) {
        int answer = next_.front();
        next_.pop_front();
        return answer;
    }
    return every_ ? *every_ : platform::DefaultMessageBoxButton(request.type);
}

RecordingMessageBoxes& UseRecordingMessageBoxes() { return InstallDouble<platform::MessageBoxes, RecordingMessageBoxes>(); }

}  // namespace testsupport
