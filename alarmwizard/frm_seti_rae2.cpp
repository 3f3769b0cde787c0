#include "alarmwizard/frm_seti_rae2.h"

#include <cstdlib>
#include <string>

#include "core/alarm.h"
#include "core/frm_main.h"
#include "core/globals.h"
#include "core/language_files.h"
#include "core/language_keys.h"
#include "core/popup_help.h"
#include "settings/settings_pages.h"

namespace alarmwizard {

using namespace platform::forms;
using core::AlarmUnderEdit;

namespace {

// The hotspots in the order of CustomPosition: clockwise from the upper left corner.
constexpr const char* kHotspotKeys[] = {"Anchor Upper Left",  "Anchor Upper Center", "Anchor Upper Right",
                                        "Anchor Right Center", "Anchor Lower Right",  "Anchor Lower Center",
                                        "Anchor Lower Left",   "Anchor Left Center"};

// The slide directions of step 2A, by their stored value.
struct DirectionName {
    std::uint8_t direction;
    const char* key;
};
constexpr DirectionName kDirectionNames[] = {{10, "Horizontal"}, {11, "Vertical"}, {12, "Mixed"}};

// The window properties a sliding window cannot have: resizable, minimize, maximize, movable.
constexpr std::int32_t kPropertiesSlideForbids = 8 | 16 | 32 | 64;

// Layout (twips): the naming frame over the positioning frame; in the latter the centre and the
// hotspot with its slide on the left, the custom position and the size on the right.
constexpr int kRightColumn = 3060;
constexpr int kSizeLabelWidth = 900, kPositionLabelWidth = 300;

bool Ticked(const CheckBox& box) { return box.Value == vbChecked; }

void SetFlag(std::int32_t& flags, std::int32_t bit, bool on) { flags = on ? flags | bit : flags & ~bit; }

// A pixel count of the screen, read afresh.
long ScreenPixels(bool width) {
    core::frmMain().GetScreenSize();
    return (width ? core::ScreenWidthTwips : core::ScreenHeightTwips) / 15;
}

// A box's number as it stands: a value loaded from the record is stored back as it was, even
// outside today's bounds, until the box is cleaned.
std::int16_t BoxNumber(const TextBox& box) {
    const long value = std::strtol(box.TextValue().c_str(), nullptr, 10);
    return static_cast<std::int16_t>(value < INT16_MIN ? INT16_MIN : value > INT16_MAX ? INT16_MAX : value);
}

}  // namespace

frmSetiRAE2Form::frmSetiRAE2Form() : WizardStep(kStep2) {
    OZR_HANDLE(chWindowless, Click);
    OZR_HANDLE(optCenter, Click);
    OZR_HANDLE(optHotspot, Click);
    OZR_HANDLE(optCustom, Click);
    OZR_HANDLE(ddlHotspot, Click);
    OZR_HANDLE(ddlHotspot, GotFocus);
    OZR_HANDLE(chSlide, Click);
    OZR_HANDLE(chAutoSize, Click);
    // Back to step 1 the animation runs backwards, unless it has not yet reached step 1's frame.
    cmdPrevious.Click = [this] {
        core::WarlockAnimReverse = core::WarlockAnimFrame >= kStep1.restingFrame;
        CleanFocusedBox();
        StoreStep();
        ShowStep(kStep1);
    };
    cmdNext.Click = [this] { MoveForward(kStep3); };
    lblSlideCustomize.Click = [this] { MoveForward(kStep2A); };
    cmdSave.Click = [this] { SaveSimple(); };
    cmdCancel.Click = [this] { CancelWizard(); };
    BindNumberBoxes();
    BindTextBoxes();
    BindHelp();
}

frmSetiRAE2Form& frmSetiRAE2() {
    static frmSetiRAE2Form form;
    return form;
}

void frmSetiRAE2Form::BindNumberBoxes() {
    auto box = [this](TextBox& t, CommandButton& m, CommandButton& p, long lower, std::function<long()> upper) {
        // The screen is asked only when the box is used (not while the program is still starting).
        auto made = std::make_unique<WizardNumberBox>(t, m, p, lower, lower, Updating);
        made->UpperFrom(std::move(upper));
        numberBoxes_.push_back(made.get());
        return made;
    };
    // A custom position keeps at least 10 pixels of the window on the screen; a size may fill it.
    x_ = box(txtX, cmdXM, cmdXP, 0, [] { return ScreenPixels(true) - 10; });
    y_ = box(txtY, cmdYM, cmdYP, 0, [] { return ScreenPixels(false) - 10; });
    width_ = box(txtWidth, cmdWidthM, cmdWidthP, 100, [] { return ScreenPixels(true); });
    height_ = box(txtHeight, cmdHeightM, cmdHeightP, 50, [] { return ScreenPixels(false); });
}

// Each text box shows a placeholder while empty, clears it when focused, and selects all on Ctrl+A.
void frmSetiRAE2Form::BindTextBoxes() {
    const std::pair<TextBox*, const char*> boxes[] = {
        {&txtName, "Name Default"}, {&txtTitle, "Title Default"}, {&txtText, "Text Default"}};
    for (const auto& entry : boxes) {
        TextBox* box = entry.first;
        const char* placeholder = entry.second;
        box->GotFocus = [this, box, placeholder] {
            if (box->TextValue() == StepText(placeholder)) box->Text = "";
        };
        box->LostFocus = [this, box, placeholder] {
            if (box->TextValue().empty()) box->Text = StepText(placeholder);
        };
        box->KeyDown = [box](int& keyCode, int shift) {
            constexpr int kKeyA = 65, kCtrl = 2;
            if (keyCode != kKeyA || shift != kCtrl) return;
            box->SelStart = 0;
            box->SelLength = static_cast<int>(box->TextValue().size());
        };
    }
    txtName.GotFocus = [this] { txtName_GotFocus(); };
}

void frmSetiRAE2Form::BindHelp() {
    HelpOn({&txtName}, "0901txtName");
    HelpOn({&txtTitle}, "0902txtTitle");
    HelpOn({&txtText}, "0903txtText");
    HelpOn({&chWindowless}, "0904chWindowless");
    HelpOn({&optCenter}, "0905optCenter");
    HelpOn({&optHotspot}, "0906optHotspot");
    HelpOn({&chSlide}, "0908chSlide");
    HelpOn({&optCustom}, "0909optCustom");
    HelpOn({&txtX, &cmdXM, &cmdXP}, "0910txtX");
    HelpOn({&txtY, &cmdYM, &cmdYP}, "0911txtY");
    HelpOn({&chAutoSize}, "0912chAutoSize");
    HelpOn({&txtWidth, &cmdWidthM, &cmdWidthP}, "0913txtWidth");
    HelpOn({&txtHeight, &cmdHeightM, &cmdHeightP}, "0914txtHeight");
    HelpOn({&cmdCancel}, "0915cmdCancel");
    HelpOn({&cmdSave}, "0916cmdSave");
    HelpOn({&cmdPrevious}, "0917cmdPrevious");
    HelpOn({&cmdNext}, "0918cmdNext");
}

void frmSetiRAE2Form::Design() {
    WizardStep::Design();
    cmdOk.Enabled = false;
    cmdCancel.Cancel = true;

    frmNaming.Move(60, kContentTop, settings::kPageWidth - 120, 1440);
    lblName.Move(120, 270, 600, 255);
    txtName.Move(720, 240, 2100, 300);
    lblTitle.Move(2940, 270, 600, 255);
    txtTitle.Move(3540, 240, 2190, 300);
    lblText.Move(120, 630, 600, 255);
    txtText.Move(720, 600, 5010, 480);
    txtText.MultiLine = true;
    txtText.ScrollBars = vbVertical;
    chWindowless.Move(720, 1110, 5010, 255);

    frmPositioning.Move(60, kContentTop + 1500, settings::kPageWidth - 120, 2190);
    optCenter.Move(120, 240, 2700, 255);
    // The option's caption is a short word; the place names beside it are long in some languages.
    optHotspot.Move(120, 540, 570, 255);
    ddlHotspot.Move(690, 510, 2250, 315);
    ddlHotspot.Enabled = false;
    chSlide.Move(360, 870, 1110, 255);
    chSlide.Enabled = false;
    // Two lines: the link's longer captions wrap.
    lblSlideCustomize.Move(1530, 885, 1410, 450);
    MakeLink(lblSlideCustomize);
    Line3.X1 = 360;
    Line3.Y1 = 1350;
    Line3.X2 = 2940;
    Line3.Y2 = 1350;
    lblSlideSettings.Move(360, 1395, 2580, 450);
    lblSlideSettings.WordWrap = true;
    lblSlideDirection.Move(360, 1875, 2580, 255);
    for (VisualControl* c : std::initializer_list<VisualControl*>{&lblSlideCustomize, &Line3, &lblSlideSettings,
                                                                  &lblSlideDirection})
        c->Visible = false;

    optCustom.Move(kRightColumn, 240, 2700, 255);
    PlaceNumberBoxAt(lblX, cmdXM, txtX, cmdXP, kRightColumn + 240, 540, kPositionLabelWidth);
    PlaceNumberBoxAt(lblY, cmdYM, txtY, cmdYP, kRightColumn + 240, 870, kPositionLabelWidth);
    lblX.Caption = "X:";
    lblY.Caption = "Y:";
    EnableCustomPosition(false);
    // Auto is ticked by the load, which then disables the size.
    chAutoSize.Move(kRightColumn, 1230, 2700, 255);
    PlaceNumberBoxAt(lblWidth, cmdWidthM, txtWidth, cmdWidthP, kRightColumn + 240, 1530, kSizeLabelWidth);
    PlaceNumberBoxAt(lblHeight, cmdHeightM, txtHeight, cmdHeightP, kRightColumn + 240, 1860, kSizeLabelWidth);
    // The boxes start at "0", below their bounds: an auto-sized window has no size of its own.
    for (TextBox* box : {&txtX, &txtY, &txtWidth, &txtHeight}) box->Text = "0";
}

void frmSetiRAE2Form::SetStepTexts() {
    frmNaming.Caption = StepText("Naming");
    lblName.Caption = StepText("Name");
    lblTitle.Caption = StepText("Title");
    lblText.Caption = StepText("Text");
    txtName.Text = StepText("Name Default");
    txtTitle.Text = StepText("Title Default");
    txtText.Text = StepText("Text Default");
    chWindowless.Caption = StepText("Windowless");
    frmPositioning.Caption = StepText("Positioning");
    optCenter.Caption = StepText("Center");
    optHotspot.Caption = StepText("Hotspot");
    chSlide.Caption = StepText("Slide");
    lblSlideSettings.Caption = StepText("Slide Settings 1") + ": " + StepText("Slide Settings 2") + StepText("Slide Settings 3");
    lblSlideDirection.Caption = StepText("Slide Direction") + ": ";
    lblSlideCustomize.Caption = StepText("Slide Customize");
    optCustom.Caption = StepText("Custom");
    chAutoSize.Caption = StepText("Auto");
    lblWidth.Caption = StepText("Width") + ":";
    lblHeight.Caption = StepText("Height") + ":";
    ddlHotspot.Clear();
    for (const char* key : kHotspotKeys) ddlHotspot.AddItem(GeneralText(key));
}

// The controls' own handlers set what follows from each choice, as they run for the user.
void frmSetiRAE2Form::FillFromRecord() {
    const core::Alarm& a = AlarmUnderEdit;
    txtName.Text = a.NAME;
    txtTitle.Text = a.Title;
    txtText.Text = a.Text;
    if (a.Flags & core::kAlarmWindowless) chWindowless.Value = vbChecked;
    // With both position bits the hotspot wins; with neither the custom position stays.
    optCustom.Value = true;
    if (a.Flags & core::kAlarmCentered) optCenter.Value = true;
    if (a.Flags & core::kAlarmAtHotspot) optHotspot.Value = true;
    ddlHotspot.ListIndex = a.CustomPosition < std::size(kHotspotKeys) ? a.CustomPosition : 0;
    chSlide.Value = (a.Flags & core::kAlarmSlide) ? vbChecked : vbUnchecked;
    ShowSlideSummary(optHotspot.Value && Ticked(chSlide));
    txtX.Text = std::to_string(a.X);
    txtY.Text = std::to_string(a.Y);
    chAutoSize.Value = (a.Flags & core::kAlarmAutoSize) ? vbChecked : vbUnchecked;
    txtWidth.Text = std::to_string(a.W);
    txtHeight.Text = std::to_string(a.H);
}

void frmSetiRAE2Form::FillDefaults() {
    optCenter.Value = true;
    chAutoSize.Value = vbChecked;
    ddlHotspot.ListIndex = 0;
}

// The final save sent the user back: the name is taken or empty. The name stays as typed, selected.
void frmSetiRAE2Form::Form_Activate() {
    const std::int16_t code = core::AlarmWizardPending;
    if (code != kNameTaken && code != kNameEmpty) return;
    boxes_.Error(code == kNameTaken ? "Alarm Already Exists Error" : "Unnamed Alarm");
    core::AlarmWizardPending = kNothingPending;
    keepNameAtFocus_ = !txtName.HasFocus();
    txtName.SetFocus();
    txtName.SelStart = 0;
    txtName.SelLength = static_cast<int>(txtName.TextValue().size());
}

void frmSetiRAE2Form::txtName_GotFocus() {
    if (keepNameAtFocus_) {
        keepNameAtFocus_ = false;
        return;
    }
    if (txtName.TextValue() == StepText("Name Default")) txtName.Text = "";
}

void frmSetiRAE2Form::chWindowless_Click() {
    const bool hasWindow = !Ticked(chWindowless);
    txtText.Enabled = hasWindow;
    lblText.Enabled = hasWindow;
}

void frmSetiRAE2Form::EnableHotspotAndSlide(bool on) {
    ddlHotspot.Enabled = on;
    chSlide.Enabled = on;
    ShowSlideSummary(on && Ticked(chSlide));
}

void frmSetiRAE2Form::EnableCustomPosition(bool on) {
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{&txtX, &cmdXM, &cmdXP, &txtY, &cmdYM, &cmdYP})
        c->Enabled = on;
    lblX.Enabled = on;
    lblY.Enabled = on;
}

// The summary tells the slide as stored: the times of step 2A and its direction of sliding in.
void frmSetiRAE2Form::ShowSlideSummary(bool visible) {
    for (VisualControl* c : std::initializer_list<VisualControl*>{&Line3, &lblSlideSettings, &lblSlideDirection,
                                                                  &lblSlideCustomize})
        c->Visible = visible;
    const core::SlideSettings& slide = AlarmUnderEdit.SlideSettings;
    lblSlideSettings.Caption = StepText("Slide Settings 1") + ": " + StepText("Slide Settings 2") + ": " +
                               std::to_string(slide.SlideInTime) + "ms " + StepText("Slide Settings 3") + ": " +
                               std::to_string(slide.SlideOutTime) + "ms.";
    for (const DirectionName& name : kDirectionNames)
        if (slide.SlideInDirection == name.direction)
            lblSlideDirection.Caption = StepText("Slide Direction") + ": " +
                                        core::LanguageFile.ReadText(kStep2A.languageSection, name.key) + ".";
}

void frmSetiRAE2Form::optCenter_Click() {
    EnableHotspotAndSlide(false);
    EnableCustomPosition(false);
}

void frmSetiRAE2Form::optHotspot_Click() {
    EnableHotspotAndSlide(true);
    EnableCustomPosition(false);
    if (ddlHotspot.ListIndex < 0) ddlHotspot.ListIndex = 0;
}

void frmSetiRAE2Form::optCustom_Click() {
    EnableHotspotAndSlide(false);
    EnableCustomPosition(true);
}

// The list's help shows also when the step itself sets the hotspot.
void frmSetiRAE2Form::ddlHotspot_Click() { ddlHotspot_GotFocus(); }

void frmSetiRAE2Form::ddlHotspot_GotFocus() { core::ShowHelp(ddlHotspot.hWnd, "0907ddlHotspot", true); }

void frmSetiRAE2Form::chSlide_Click() { ShowSlideSummary(Ticked(chSlide)); }

void frmSetiRAE2Form::chAutoSize_Click() {
    const bool sized = !Ticked(chAutoSize);
    for (WindowedControl* c : std::initializer_list<WindowedControl*>{&txtWidth, &cmdWidthM, &cmdWidthP, &txtHeight,
                                                                       &cmdHeightM, &cmdHeightP})
        c->Enabled = sized;
    lblWidth.Enabled = sized;
    lblHeight.Enabled = sized;
    width_->CleanUp();
    height_->CleanUp();
}

void frmSetiRAE2Form::StoreStep() {
    WizardStep::StoreStep();
    core::Alarm& a = AlarmUnderEdit;
    a.NAME = txtName.TextValue();
    a.Title = txtTitle.TextValue();
    a.Text = txtText.TextValue();
    SetFlag(a.Flags, core::kAlarmWindowless, chWindowless.Value == vbChecked);
    SetFlag(a.Flags, core::kAlarmCentered, optCenter.Value);
    SetFlag(a.Flags, core::kAlarmAtHotspot, optHotspot.Value);
    a.CustomPosition = static_cast<std::uint8_t>(ddlHotspot.ListIndex < 0 ? 0 : ddlHotspot.ListIndex);
    a.X = BoxNumber(txtX);
    a.Y = BoxNumber(txtY);
    a.W = BoxNumber(txtWidth);
    a.H = BoxNumber(txtHeight);
    // A sliding window cannot be resized, minimised, maximised or moved.
    const bool slides = Ticked(chSlide) && chSlide.Enabled;
    SetFlag(a.Flags, core::kAlarmSlide, slides);
    if (slides) a.WindowProperties &= ~kPropertiesSlideForbids;
    SetFlag(a.Flags, core::kAlarmAutoSize, Ticked(chAutoSize));
}

}  // namespace alarmwizard
