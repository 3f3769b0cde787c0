// Common dialogs answered by the test's script, for tests of the forms that open them:
//
//   auto& dialogs = testsupport::UseRecordingCommonDialogs();
//   dialogs.Answer(CommonDialogAnswer::ChooseColor(RGB(12, 34, 56)));
//   dialogs.Answer(CommonDialogAnswer::Cancel());
//   ...                                  // the page opens two colour dialogs
//   EXPECT_EQ(dialogs.Requests()[0].flags, 259);
//
// Answers are given in order, one per dialog; an answer may also be a function of the request. A
// dialog opened when no answer is left raises platform::Error, so that an unexpected dialog fails
// the test instead of being cancelled quietly.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/services/common_dialogs.h"

namespace testsupport {

class RecordingCommonDialogs final : public platform::CommonDialogs {
public:
    using Answerer = std::function<platform::forms::CommonDialogAnswer(const platform::forms::CommonDialogRequest&)>;

    platform::forms::CommonDialogAnswer Ask(const platform::forms::CommonDialogRequest& request) override;

    void Answer(platform::forms::CommonDialogAnswer answer);
    void Answer(Answerer answer);
    // Every dialog opened so far, in order.
    const std::vector<platform::forms::CommonDialogRequest>& Requests() const { return requests_; }
    std::size_t Unused() const { return answers_.size(); }

private:
    std::deque<Answerer> answers_;
    std::vector<platform::forms::CommonDialogRequest> requests_;
};

RecordingCommonDialogs& UseRecordingCommonDialogs();

}  // namespace testsupport
