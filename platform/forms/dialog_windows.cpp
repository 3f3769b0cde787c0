#include "platform/forms/dialog_windows.h"

#include "platform/forms/color_dialog.h"
#include "platform/forms/file_dialog.h"
#include "platform/forms/font_dialog.h"

namespace platform::forms {

CommonDialogAnswer ShowCommonDialogWindow(const CommonDialogRequest& request) {
    switch (request.kind) {
        case CommonDialogKind::Color: return ColorDialogForm(request).Run();
        case CommonDialogKind::Font: return FontDialogForm(request).Run();
        case CommonDialogKind::Open: return FileDialogForm(request).Run();
    }
    return CommonDialogAnswer::Cancel();
}

CommonDialogForm::CommonDialogForm(std::string name, CommonDialogRequest request)
    : Form(std::move(name)), request_(std::move(request)) {}

CommonDialogAnswer CommonDialogForm::Run() {
    answer_ = CommonDialogAnswer::Cancel();
    Load();
    Form* owner = nullptr;
    HWND top = request_.owner ? GetTopLevel(request_.owner) : HWND{};
    for (Form* f : Forms())
        if (f != this && top && f->Window() == top) owner = f;
    Show(vbModal, owner);
    Unload();
    return answer_;
}

void CommonDialogForm::DialogDesign(const std::string& defaultCaption, SIZE client) {
    client_ = client;
    BorderStyle = vbFixedDialog;
    ShowInTaskbar = false;
    StartUpPosition = request_.owner ? vbStartUpOwner : vbStartUpScreen;
    ScaleMode = vbPixels;
    Caption = request_.dialogTitle.empty() ? defaultCaption : request_.dialogTitle;
    Move(0, 0, PixelsToTwips(client.cx), PixelsToTwips(client.cy));
}

void CommonDialogForm::FitClientArea() {
    RECT window, client;
    GetWindowRect(Window(), &window);
    GetClientRect(Window(), &client);
    Move(kKeep, kKeep, PixelsToTwips(client_.cx + window.width() - client.width()),
         PixelsToTwips(client_.cy + window.height() - client.height()));
}

void CommonDialogForm::Confirm(CommonDialogAnswer answer) {
    answer_ = std::move(answer);
    answer_.confirmed = true;
    Unload();
}

void CommonDialogForm::Dismiss() {
    answer_ = CommonDialogAnswer::Cancel();
    Unload();
}

}  // namespace platform::forms
