#include "settings/page_boxes.h"

#include "core/language_files.h"
#include "core/language_keys.h"
#include "platform/window/messages.h"
#include "platform/window/window.h"

namespace settings {

namespace {

using namespace platform;

struct BoxKind {
    PageBox kind;
    UINT style;
    const char* titleKey;  // of the "General" section
};
constexpr BoxKind kBoxKinds[] = {
    {PageBox::Error, MB_OK | MB_ICONERROR | MB_SYSTEMMODAL, "MSGBOX Error"},
    {PageBox::Question, MB_YESNO | MB_ICONQUESTION | MB_SYSTEMMODAL, "MSGBOX Question"},
    {PageBox::YesNoCancel, MB_YESNOCANCEL | MB_ICONQUESTION | MB_SYSTEMMODAL, "MSGBOX Question"},
    {PageBox::Information, MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL, "MSGBOX Information"},
};

const BoxKind& KindOf(PageBox kind) {
    for (const BoxKind& k : kBoxKinds)
        if (k.kind == kind) return k;
    return kBoxKinds[0];
}

}  // namespace

int PageBoxes::Show(PageBox kind, const std::string& text) const {
    const BoxKind& k = KindOf(kind);
    const std::string title = "OZR Ruriv - " + core::LanguageFile.ReadText(core::kGeneralSection, k.titleKey);
    return MessageBox(page_.hWnd, text.c_str(), title.c_str(), k.style);
}

void PageBoxes::Error(const char* key) const { Show(PageBox::Error, core::LanguageFile.ReadText(section_, key)); }

bool PageBoxes::Ask(const char* key) const {
    return Show(PageBox::Question, core::LanguageFile.ReadText(section_, key)) == IDYES;
}

void PageBoxes::Inform(const char* key) const { Show(PageBox::Information, core::LanguageFile.ReadText(section_, key)); }

}  // namespace settings
