#include "settings/frm_set_corner.h"

#include "core/debug_log.h"
#include "core/frm_intro_window.h"
#include "core/globals.h"
#include "platform/forms/constants.h"
#include "platform/forms/picture.h"

namespace settings {

using namespace platform::forms;

frmSetCornerForm::frmSetCornerForm() : Form("frmSetCorner") {}

frmSetCornerForm& frmSetCorner() {
    static frmSetCornerForm form;
    return form;
}

void frmSetCornerForm::Design() {
    Caption = "";
    BorderStyle = vbBSNone;
    ShowInTaskbar = false;
    ControlBox = false;
    Width = kMarkerSize;
    Height = kMarkerSize;
    pctAnchor.Move(0, 0, kMarkerSize, kMarkerSize);
    pctAnchor.BorderStyle = 0;
}

void frmSetCornerForm::Form_Load() {
    // Shown without an owner, it comes up in the middle of the screen.
    Move((core::ScreenWidthTwips - kMarkerSize) / 2, (core::ScreenHeightTwips - kMarkerSize) / 2);
    // Without its picture the marker is still a marker: the picking goes on.
    try {
        pctAnchor.Picture = LoadPicture("\\GUI\\Misc\\SetCorner.jpg");
    } catch (const platform::Error& e) {
        core::DebugLog(std::string("[frmSetCorner]: ") + e.what());
    }
    core::MakeLayered(hWnd);
    core::ApplyOpacity(hWnd, kMarkerOpacity);
    AlwaysOnTop(true);
}

void frmSetCornerForm::AlwaysOnTop(bool on) { core::SetTopmost(hWnd, on); }

}  // namespace settings
