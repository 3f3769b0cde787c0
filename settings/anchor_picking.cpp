// Picking the floating clock's anchor with the mouse: the settings window hides, a marker comes up
// in the middle of the screen, and the clock jumps to the anchor of the grid cell under the
// pointer as the pointer moves, until a completed left or right click anywhere ends the picking.
// The pointer is polled (it is mostly over other programs' windows or the bare desktop); its
// clicks are held meanwhile, so that the one that ends the picking reaches no window.
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/window_placement.h"
#include "platform/services/pointer.h"
#include "platform/window/messages.h"
#include "settings/anchor_grid.h"
#include "settings/frm_set_corner.h"
#include "settings/frm_seti.h"
#include "settings/frm_seti_go.h"

namespace settings {

using core::Settings;

void frmSetiGOForm::cmdCustomize_Click() {
    const std::string text = core::LanguageFile.ReadText(core::kGeneralOptionsPageSection, "Anchor Warning Message 1") +
                             "\r\n\r\n" +
                             core::LanguageFile.ReadText(core::kGeneralOptionsPageSection, "Anchor Warning Message 2");
    if (boxes_.Show(PageBox::Question, text) != platform::IDYES) return;
    frmSetCorner().Show();
    platform::Pointer& pointer = platform::UseService<platform::Pointer>();
    // The clock stays where it is until the pointer enters a cell of another anchor.
    core::DragCursor = pointer.Position();
    pickLeftDown_ = pickRightDown_ = pickDone_ = false;
    // The click that ends the picking is the picking's: it must not reach the clock that has just
    // jumped under the pointer, nor be missed for being quicker than a tick.
    pointer.HoldClicks(true);
    Anchor.Enabled = true;
    frmSeti().SetAbsoluteAccess(true);
}

void frmSetiGOForm::Anchor_Timer() {
    platform::Pointer& pointer = platform::UseService<platform::Pointer>();
    core::DragCursor = pointer.Position();
    const bool leftDown = pointer.ButtonDown(platform::VK_LBUTTON);
    const bool rightDown = pointer.ButtonDown(platform::VK_RBUTTON);
    pickLeftDown_ = pickLeftDown_ || leftDown;
    pickRightDown_ = pickRightDown_ || rightDown;
    // A button released since the last tick, or seen down and now up again: a completed click,
    // which ends the picking.
    const bool leftReleased = pointer.ReleasedSinceAsked(platform::VK_LBUTTON);
    const bool rightReleased = pointer.ReleasedSinceAsked(platform::VK_RBUTTON);
    pickDone_ = leftReleased || rightReleased || (!leftDown && pickLeftDown_) || (!rightDown && pickRightDown_);
    const std::uint8_t before = Settings.Anchor;
    if (auto anchor = AnchorOfCell(core::DragCursor, core::ScreenWidthTwips, core::ScreenHeightTwips))
        Settings.Anchor = *anchor;
    if (Settings.Anchor != before) core::frmMain().UpdateMainWindowAnchoring();
    if (pickDone_) EndPicking();
}

void frmSetiGOForm::EndPicking() {
    StopPicking();
    frmSeti().SetAbsoluteAccess(false);
    // The list shows the picked anchor, and applies it once more.
    SetAnchorTexts();
}

void frmSetiGOForm::StopPicking() {
    Anchor.Enabled = false;
    platform::UseService<platform::Pointer>().HoldClicks(false);
    frmSetCorner().Unload();
    pickLeftDown_ = pickRightDown_ = pickDone_ = false;
}

void frmSetiGOForm::Form_Unload(int&) {
    if (Picking()) StopPicking();
}

}  // namespace settings
