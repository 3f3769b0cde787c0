#include "platform/forms/common_dialog.h"

#include <cstdio>

#include "platform/forms/dialog_windows.h"
#include "platform/forms/form.h"
#include "platform/present/runner.h"
#include "platform/services/common_dialogs.h"

namespace platform::forms {

namespace {

CommonDialogAnswer PrintAndCancel(const CommonDialogRequest& request) {
    std::string line = CommonDialogLine(request);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
    return CommonDialogAnswer::Cancel();
}

class DialogWindows final : public CommonDialogs {
public:
    CommonDialogAnswer Ask(const CommonDialogRequest& request) override { return ShowCommonDialogWindow(request); }
};

// A person answers on a real desktop; nobody can in a headless run.
class DesktopOrPrinted final : public CommonDialogs {
public:
    CommonDialogAnswer Ask(const CommonDialogRequest& request) override {
        return IsHeadless() ? PrintAndCancel(request) : ShowCommonDialogWindow(request);
    }
};

}  // namespace

CommonDialogAnswer CommonDialogAnswer::ChooseColor(COLORREF color) {
    CommonDialogAnswer a;
    a.confirmed = true;
    a.color = color;
    return a;
}

CommonDialogAnswer CommonDialogAnswer::ChooseFont(FontDescription font) {
    CommonDialogAnswer a;
    a.confirmed = true;
    a.font = std::move(font);
    return a;
}

CommonDialogAnswer CommonDialogAnswer::ChooseFile(std::string path, int filterIndex) {
    CommonDialogAnswer a;
    a.confirmed = true;
    a.fileName = std::move(path);
    a.filterIndex = filterIndex;
    return a;
}


std::string CommonDialogLine(const CommonDialogRequest& request) {
    char text[64];
    std::string line = "CommonDialog ";
    switch (request.kind) {
        case CommonDialogKind::Color:
            std::snprintf(text, sizeof text, "Color flags %ld color 0x%08X", static_cast<long>(request.flags),
                          static_cast<unsigned>(request.color));
            return line + text;
        case CommonDialogKind::Font:
            std::snprintf(text, sizeof text, "Font flags %ld size %g", static_cast<long>(request.flags), request.font.size);
            return line + text + " name \"" + request.font.name + "\"";
        case CommonDialogKind::Open:
            std::snprintf(text, sizeof text, "Open flags %ld", static_cast<long>(request.flags));
            return line + text + " file \"" + request.fileName + "\" filter \"" + request.filter + "\"";
    }
    return line;
}

// ---- The control ----

CommonDialog::CommonDialog(ContainerRef container, std::string name, int index) : Control(container, std::move(name), index) {}

void CommonDialog::ResetToDesign() {
    cancelError_ = false;
    flags_ = 0;
    color_ = 0;
    font_ = FontDescription{};
    fileName_.clear();
    filter_.clear();
    filterIndex_ = 1;
    initDir_.clear();
    dialogTitle_.clear();
}

std::string CommonDialog::fileTitle() const {
    std::size_t slash = fileName_.find_last_of("/\\");
    return slash == std::string::npos ? fileName_ : fileName_.substr(slash + 1);
}

bool CommonDialog::Ask(CommonDialogKind kind, CommonDialogAnswer& answer) {
    Touch();
    CommonDialogRequest request;
    request.kind = kind;
    request.owner = Parent().Window();
    request.dialogTitle = dialogTitle_;
    request.flags = flags_;
    request.color = color_;
    request.font = font_;
    request.fileName = fileName_;
    request.filter = filter_;
    request.filterIndex = filterIndex_;
    request.initDir = initDir_;
    answer = UseService<CommonDialogs>().Ask(request);
    if (answer.confirmed) return true;
    if (cancelError_) throw CommonDialogCancelled();
    return false;
}

void CommonDialog::ShowColor() {
    CommonDialogAnswer a;
    if (Ask(CommonDialogKind::Color, a)) color_ = a.color & 0x00FFFFFFu;
}

void CommonDialog::ShowFont() {
    Touch();
    if (!(flags_ & cdlCFBoth))
        throw Error("No fonts exist (24574): the Flags of " + DisplayName() + " ask for neither screen nor printer fonts");
    CommonDialogAnswer a;
    if (Ask(CommonDialogKind::Font, a)) font_ = a.font;
}

void CommonDialog::ShowOpen() {
    CommonDialogAnswer a;
    if (!Ask(CommonDialogKind::Open, a)) return;
    fileName_ = a.fileName;
    filterIndex_ = a.filterIndex;
}

}  // namespace platform::forms

namespace platform {
std::unique_ptr<CommonDialogs> CommonDialogs::MakeReal() { return std::make_unique<forms::DesktopOrPrinted>(); }
std::unique_ptr<CommonDialogs> MakeCommonDialogWindows() { return std::make_unique<forms::DialogWindows>(); }
}  // namespace platform
