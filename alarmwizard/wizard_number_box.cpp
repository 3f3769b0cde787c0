#include "alarmwizard/wizard_number_box.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "settings/number_box.h"

namespace alarmwizard {

namespace {

// The wizard's boxes read and write numbers the C way, whatever the user's locale.
constexpr const char* kSeparator = ".";

// Twips between a caption and its minus button, and the least a box keeps for its digits.
constexpr int kCaptionGap = 30, kLeastBoxWidth = 480;

// The width a label's caption needs, as the toolkit's AutoSize finds it; the label keeps its size.
int CaptionWidth(platform::forms::Label& label) {
    const int width = label.Width, height = label.Height;
    label.AutoSize = true;
    const int need = label.Width;
    label.AutoSize = false;
    label.Move(label.Left, label.Top, width, height);
    return need;
}

}  // namespace

void PlaceNumberBox(platform::forms::Label& label, platform::forms::CommandButton& minus,
                    platform::forms::TextBox& box, platform::forms::CommandButton& plus, int column, int y) {
    PlaceNumberBoxAt(label, minus, box, plus, 60 + column * kBoxColumnPitch, y, kBoxLabelWidth);
}

void PlaceNumberBoxAt(platform::forms::Label& label, platform::forms::CommandButton& minus,
                      platform::forms::TextBox& box, platform::forms::CommandButton& plus, int x, int y,
                      int labelWidth) {
    constexpr int kRowHeight = 300;
    label.Move(x, y + 30, labelWidth, 255);
    minus.Move(x + labelWidth, y, kSmallButton, kRowHeight);
    box.Move(x + labelWidth + kSmallButton, y, kBoxWidth, kRowHeight);
    plus.Move(x + labelWidth + kSmallButton + kBoxWidth, y, kSmallButton, kRowHeight);
}

void FitNumberBoxLabels(std::initializer_list<NumberBoxRow> column) {
    int need = 0;
    for (const NumberBoxRow& row : column) need = std::max(need, CaptionWidth(row.label) + kCaptionGap);
    for (const NumberBoxRow& row : column) {
        const int grow = std::min<int>(need - row.label.Width, row.box.Width - kLeastBoxWidth);
        if (grow <= 0) continue;
        row.label.Width = row.label.Width + grow;
        row.minus.Left = row.minus.Left + grow;
        row.box.Move(row.box.Left + grow, row.box.Top, row.box.Width - grow);
    }
}

WizardNumberBox::WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                                 platform::forms::CommandButton& plus, long lower, long upper, const bool& updating,
                                 std::function<void()> followUp)
    : WizardNumberBox(box, minus, plus,
                      settings::NumberBoxRule{.lower = static_cast<double>(lower), .upper = static_cast<double>(upper)},
                      updating, std::move(followUp)) {}

WizardNumberBox::WizardNumberBox(platform::forms::TextBox& box, platform::forms::CommandButton& minus,
                                 platform::forms::CommandButton& plus, settings::NumberBoxRule rule,
                                 const bool& updating, std::function<void()> followUp)
    : box_(box), minus_(minus), plus_(plus), rule_(rule), updating_(updating), followUp_(std::move(followUp)) {
    box_.LostFocus = [this] { Leave(); };
    // The key is not consumed: the caret moves too.
    box_.KeyDown = [this](int& keyCode, int) {
        if (int step = settings::StepOfKey(keyCode)) Step(step);
    };
    minus.Click = [this] { Step(-1); };
    plus.Click = [this] { Step(1); };
}

void WizardNumberBox::Design() {
    box_.Alignment = platform::forms::vbCenter;
    box_.Text = Clean("");
    minus_.Caption = "-";
    plus_.Caption = "+";
}

void WizardNumberBox::WithTwin(platform::forms::TextBox& twin, std::function<void(bool)> swapped) {
    twin_ = &twin;
    swapped_ = std::move(swapped);
    box_.Change = [this] { BoxChanged(); };
    twin.Change = [this] { TwinChanged(); };
    twin.LostFocus = [this] { Leave(); };
    twin.KeyDown = [this](int& keyCode, int) {
        if (int step = settings::StepOfKey(keyCode)) Step(step);
    };
}

void WizardNumberBox::DesignTwin(int twinLength) {
    if (!twin_) return;
    constexpr int kTwinHeight = 555;  // twips: two lines
    twin_->Move(box_.Left, box_.Top, box_.Width, kTwinHeight);
    twin_->MultiLine = true;
    twin_->Alignment = platform::forms::vbCenter;
    twin_->MaxLength = twinLength;
    twin_->Text = box_.Text;
    twin_->Visible = false;
}

void WizardNumberBox::PlaceTwin() {
    if (twin_) twin_->Move(box_.Left, box_.Top, box_.Width);
}

bool WizardNumberBox::TwinShown() const { return twin_ && twin_->Visible; }

void WizardNumberBox::Leave() {
    if (updating_) return;
    if (swapping_) {
        swapping_ = false;
        return;
    }
    CleanUp();
}

void WizardNumberBox::RefreshUpper() {
    if (upperFrom_) rule_.upper = static_cast<double>(upperFrom_());
}

void WizardNumberBox::CleanUp() {
    if (updating_) return;
    RefreshUpper();
    sanitising_ = TwinShown();
    CleanText();
    sanitising_ = false;
}

void WizardNumberBox::CleanText() {
    box_.Text = Clean(box_.Text);
    if (followUp_) followUp_();
}

void WizardNumberBox::BoxChanged() {
    if (copying_) return;
    const std::string text = box_.Text;
    copying_ = true;
    twin_->Text = text;
    copying_ = false;
    if (!box_.Visible) {
        // Set by the step (a cleaned total) while the twin is shown.
        if (twin_->Visible) ShowBoxIfShort(text);
        return;
    }
    swapping_ = false;
    if (text.size() < 6) return;
    // The twin comes up with the focus first, so the box's leave is the swap's own.
    swapping_ = true;
    twin_->Visible = true;
    twin_->SetFocus();
    twin_->SelStart = static_cast<int>(text.size());
    box_.Visible = false;
    if (swapped_) swapped_(true);
}

void WizardNumberBox::TwinChanged() {
    if (copying_) return;
    const std::string text = twin_->Text;
    copying_ = true;
    box_.Text = text;
    copying_ = false;
    if (twin_->Visible) ShowBoxIfShort(text);
}

void WizardNumberBox::ShowBoxIfShort(const std::string& text) {
    swapping_ = false;
    if (text.size() >= 6) return;
    box_.Visible = true;
    // Cleaned as it is left, the twin gives no focus back: it is leaving anyway, and no leave of
    // the box is to be skipped later.
    if (!sanitising_) {
        swapping_ = true;
        box_.SetFocus();
        box_.SelStart = static_cast<int>(text.size());
    }
    twin_->Visible = false;
    if (swapped_) swapped_(false);
}

std::string WizardNumberBox::Clean(const std::string& text) const {
    return settings::CleanNumberBoxText(text, rule_, kSeparator);
}

std::int64_t WizardNumberBox::Value() const { return std::strtoll(Clean(box_.TextValue()).c_str(), nullptr, 10); }

double WizardNumberBox::Number() const { return settings::NumberBoxValue(Clean(box_.TextValue()), kSeparator); }

double WizardNumberBox::TextNumber() const { return settings::NumberBoxValue(box_.TextValue(), kSeparator); }

void WizardNumberBox::Step(int direction) {
    // The step starts from what the box stands for, even when it still holds raw text.
    RefreshUpper();
    platform::forms::TextBox& shown = TwinShown() ? *twin_ : box_;
    shown.Text = settings::StepNumberBoxText(shown.Text, rule_, direction, kSeparator);
    CleanUp();
    if (afterStep_) afterStep_();
}

}  // namespace alarmwizard
