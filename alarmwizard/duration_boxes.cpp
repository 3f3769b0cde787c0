#include "alarmwizard/duration_boxes.h"

#include <cstdio>
#include <string>

#include "core/popup_help.h"

namespace alarmwizard {

namespace {

// Each box holds up to 50 years of its own unit.
constexpr long kUpper[6] = {50, 600, 18'250, 438'000, 26'280'000, 1'576'800'000};
// The twins hold as many characters as their bound has.
constexpr int kTwinLength[6] = {0, 0, 0, 7, 8, 10};
constexpr std::size_t kSeconds = 5;

}  // namespace

DurationBoxes::DurationBoxes(std::array<DurationBox, 6> boxes, platform::forms::CommandButton& clear,
                             const bool& updating, std::function<void()> tooBig,
                             std::vector<WizardNumberBox*>& stepBoxes)
    : controls_(boxes), clear_(clear), tooBig_(std::move(tooBig)) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        boxes_[i] = std::make_unique<WizardNumberBox>(controls_[i].box, controls_[i].minus, controls_[i].plus, 0,
                                                      kUpper[i], updating, [this] { Normalize(0); });
        if (controls_[i].twin) {
            std::function<void(bool)> swapped;
            if (i == kSeconds) swapped = [&clear](bool twinShown) { clear.Visible = !twinShown; };
            boxes_[i]->WithTwin(*controls_[i].twin, std::move(swapped));
        }
        stepBoxes.push_back(boxes_[i].get());
    }
}

void DurationBoxes::Design(int top) {
    constexpr int kRowPitch = 360;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const DurationBox& c = controls_[i];
        PlaceNumberBox(c.label, c.minus, c.box, c.plus, static_cast<int>(i % 3), top + static_cast<int>(i / 3) * kRowPitch);
        boxes_[i]->DesignTwin(kTwinLength[i]);
    }
    clear_.Move(4500, top + 2 * kRowPitch, 1200, 345);
}

void DurationBoxes::FitLabels() {
    auto row = [this](std::size_t i) {
        const DurationBox& c = controls_[i];
        return NumberBoxRow{c.label, c.minus, c.box, c.plus};
    };
    // Two rows of three: years above hours, months above minutes, days above seconds.
    for (std::size_t column = 0; column < 3; ++column) FitNumberBoxLabels({row(column), row(column + 3)});
    for (auto& box : boxes_) box->PlaceTwin();
}

void DurationBoxes::BindHelp(int page, int firstNumber) {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        const DurationBox& c = controls_[i];
        char id[8];
        std::snprintf(id, sizeof id, "%02d%02d", page, firstNumber + static_cast<int>(i));
        helpKeys_[i] = id + c.box.Name();
        std::vector<platform::forms::WindowedControl*> shown{&c.box, &c.minus, &c.plus};
        if (c.twin) shown.push_back(c.twin);
        for (platform::forms::WindowedControl* control : shown)
            control->MouseMove = [control, key = helpKeys_[i]](int, int, int, int) {
                core::ShowHelp(control->hWnd, key.c_str(), false);
            };
    }
}

DurationParts DurationBoxes::Parts() const {
    return DurationParts{boxes_[0]->Value(), boxes_[1]->Value(), boxes_[2]->Value(),
                         boxes_[3]->Value(), boxes_[4]->Value(), boxes_[5]->Value()};
}

std::int32_t DurationBoxes::Total() {
    const std::int32_t total = DurationSeconds(Parts());
    if (total >= 0) lastValid_ = total;
    return total;
}

void DurationBoxes::Normalize(std::int32_t seconds) {
    if (seconds == 0) {
        seconds = Total();
        if (seconds < 0) {
            tooBig_();
            seconds = lastValid_;
        }
    }
    const DurationParts p = SplitDuration(seconds);
    const std::int64_t parts[6] = {p.years, p.months, p.days, p.hours, p.minutes, p.seconds};
    for (std::size_t i = 0; i < controls_.size(); ++i) controls_[i].box.Text = std::to_string(parts[i]);
}

void DurationBoxes::Clear() {
    for (DurationBox& c : controls_) c.box.Text = "0";
}

}  // namespace alarmwizard
