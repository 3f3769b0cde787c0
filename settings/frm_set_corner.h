// frmSetCorner: the marker shown in the middle of the screen while the floating clock's anchor is
// picked with the mouse. A borderless, translucent picture of 200 x 200 pixels above every other
// window, without a taskbar button; it never moves while shown.
#pragma once

#include "platform/forms/form.h"
#include "platform/forms/picture_box.h"

namespace settings {

inline constexpr int kMarkerSize = 3000;   // twips, both ways
inline constexpr int kMarkerOpacity = 100;  // of 255

class frmSetCornerForm : public platform::forms::Form {
public:
    frmSetCornerForm();

    platform::forms::PictureBox pctAnchor{this, "pctAnchor"};

protected:
    void Design() override;
    void Form_Load() override;

private:
    void AlwaysOnTop(bool on);
};

frmSetCornerForm& frmSetCorner();

}  // namespace settings
