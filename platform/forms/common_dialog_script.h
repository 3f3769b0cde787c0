// Scripted answers to the common dialogs, for tests of the forms that open them:
//
//   ScriptedCommonDialogs dialogs;
//   dialogs.Answer(CommonDialogAnswer::ChooseColor(RGB(12, 34, 56)));
//   dialogs.Answer(CommonDialogAnswer::Cancel());
//   ...                                  // the page opens two colour dialogs
//   EXPECT_EQ(dialogs.Requests()[0].flags, 259);
//
// Answers are given in order, one per dialog; an answer may also be a function of the request. A
// dialog opened when no answer is left raises platform::Error, so that an unexpected dialog fails
// the test instead of being cancelled quietly. The script holds the common-dialog handler for its
// life and gives the default back at its end.
#pragma once

#include <deque>
#include <vector>

#include "platform/forms/common_dialog.h"

namespace platform::forms {

class ScriptedCommonDialogs {
public:
    ScriptedCommonDialogs();
    ~ScriptedCommonDialogs();
    ScriptedCommonDialogs(const ScriptedCommonDialogs&) = delete;
    ScriptedCommonDialogs& operator=(const ScriptedCommonDialogs&) = delete;

    void Answer(CommonDialogAnswer answer);
    void Answer(CommonDialogHandler answer);
    // Every dialog opened so far, in order.
    const std::vector<CommonDialogRequest>& Requests() const { return requests_; }
    std::size_t Unused() const { return answers_.size(); }

private:
    CommonDialogAnswer Next(const CommonDialogRequest& request);

    std::deque<CommonDialogHandler> answers_;
    std::vector<CommonDialogRequest> requests_;
};

}  // namespace platform::forms
