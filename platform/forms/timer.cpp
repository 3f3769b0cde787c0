#include "platform/forms/timer.h"

#include "platform/forms/form.h"
#include "platform/scoped_value.h"

namespace platform::forms {

Timer::Timer(ContainerRef container, std::string name, int index)
    : Control(container, std::move(name), index), id_(Parent().NewTimerId()) {
    Parent().RegisterTimer(this);
}

Timer::~Timer() {
    if (running_ && Parent().Window()) KillTimer(Parent().Window(), id_);
    Parent().UnregisterTimer(this);
}

void Timer::ResetToDesign() {
    interval_ = 0;
    enabled_ = true;
    exact_ = false;
    running_ = false;
}

void Timer::CopyDesignFrom(const Control& other) {
    const auto& o = static_cast<const Timer&>(other);
    interval_ = o.interval_;
    enabled_ = o.enabled_;
    exact_ = o.exact_;
}

void Timer::setInterval(int value) {
    interval_ = value < 0 ? 0 : value;
    Restart();
}

void Timer::setEnabled(bool value) {
    enabled_ = value;
    Restart();
}

void Timer::Restart() {
    HWND window = Parent().Window();
    if (!window) {
        running_ = false;
        return;
    }
    if (enabled_ && interval_ > 0) {
        (exact_ ? SetExactTimer : SetTimer)(window, id_, static_cast<UINT>(interval_), nullptr);
        running_ = true;
    } else if (running_) {
        KillTimer(window, id_);
        running_ = false;
    }
}

void Timer::Fire() {
    if (firing_ || !running_ || !Live()) return;
    ScopedValue<bool> firing(firing_, true);
    BusyScope busy(*this);
    Tick();
}

}  // namespace platform::forms
