#include "alarmwizard/duration_boxes.h"

#include <string>

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
    : controls_(boxes), tooBig_(std::move(tooBig)) {
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

void DurationBoxes::DesignTwins() {
    for (std::size_t i = 0; i < boxes_.size(); ++i) boxes_[i]->DesignTwin(kTwinLength[i]);
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
