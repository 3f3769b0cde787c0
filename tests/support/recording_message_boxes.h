// Message boxes that nobody sees: each box is recorded and answered by the test's script (the
// next scripted answer, else the answer for every box, else the box's default button).
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/services/message_boxes.h"

namespace testsupport {

class RecordingMessageBoxes final : public platform::MessageBoxes {
public:
    int Show(const platform::MessageBoxRequest& request) override;

    // Every box shown so far, in order (a test may clear it between steps).
    std::vector<platform::MessageBoxRequest>& Requests() { return requests_; }
    void AnswerNext(std::vector<int> answers) { next_.assign(answers.begin(), answers.end()); }
    void AnswerEveryBoxWith(int answer) { every_ = answer; }
    // Runs while a box is shown, before it is answered (as a person would act meanwhile).
    std::function<void(const platform::MessageBoxRequest&)> whileShown;

private:
    std::vector<platform::MessageBoxRequest> requests_;
    std::deque<int> next_;
    std::optional<int> every_;
};

RecordingMessageBoxes& UseRecordingMessageBoxes();

}  // namespace testsupport
