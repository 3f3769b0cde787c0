// Driving the common dialog forms as a person does while they are modal.
#pragma once

#include <functional>

#include "control_test_support.h"
#include "platform/forms/dialog_windows.h"

namespace formtest {

// Runs a script once the dialog is open: a thread timer fires inside the dialog's modal loop.
inline std::function<void(CommonDialogForm&)>& PendingScript() {
    static std::function<void(CommonDialogForm&)> script;
    return script;
}

inline void RunPendingScript(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(HWND{}, id);
    auto script = std::move(PendingScript());
    PendingScript() = nullptr;
    auto* dialog = dynamic_cast<CommonDialogForm*>(ActiveForm());
    if (!dialog) {
        ADD_FAILURE() << "no dialog is open";
        return;
    }
    script(*dialog);
    if (dialog == ActiveForm() && dialog->IsLoaded()) {
        ADD_FAILURE() << "the script left the dialog open";
        dialog->Unload();
    }
}

template <class DialogForm>
void WhenTheDialogOpens(std::function<void(DialogForm&)> script) {
    PendingScript() = [script](CommonDialogForm& dialog) {
        auto* typed = dynamic_cast<DialogForm*>(&dialog);
        ASSERT_NE(typed, nullptr) << dialog.Name();
        script(*typed);
    };
    SetTimer(HWND{}, 0, 50, RunPendingScript);
}

// Replaces the text of a box as a person does: select everything, then type.
inline void Retype(TextBox& box, const std::string& text) {
    box.SetFocus();
    Key(VK_HOME);
    KeyWith(VK_SHIFT, VK_END);
    Type(text);
}

inline POINT ListRow(ListBox& list, int row) {
    int h = LineHeight(list.Font());
    RECT client = ClientRectOnScreen(list.hWnd);
    return POINT{client.left + 30, client.top + 1 + (row - list.TopIndex) * h + h / 2};
}

}  // namespace formtest
