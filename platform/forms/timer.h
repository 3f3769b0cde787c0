// Timer: raises Tick every Interval milliseconds while it is Enabled and its form is loaded
// (`Tricker.Tick = [this] { Tricker_Timer(); };`). Setting Interval or Enabled restarts the wait;
// Interval 0 stops it. A tick does not start again while its own handler is still running (for
// example while the handler shows a modal form). A one-second Interval keeps to the wall clock's
// seconds unless the timer is Exact (design time: a pause that must last what it says).
#pragma once

#include "platform/forms/control.h"
#include "platform/window/window.h"

namespace platform::forms {

class Timer : public Control {
    int interval() const { return interval_; }
    void setInterval(int value);
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);
    bool exact() const { return exact_; }
    void setExact(bool value) { exact_ = value; }

public:
    Timer(ContainerRef container, std::string name, int index = -1);
    ~Timer() override;

    Prop<&Timer::interval, &Timer::setInterval> Interval{this};
    Prop<&Timer::enabled, &Timer::setEnabled> Enabled{this};
    Prop<&Timer::exact, &Timer::setExact> Exact{this};

    Event<> Tick;

    // Toolkit side.
    UINT_PTR TimerId() const { return id_; }
    void Fire();

protected:
    void ResetToDesign() override;
    void CopyDesignFrom(const Control& other) override;
    void CreateWindows() override { Restart(); }
    void WindowsDestroyed() override { running_ = false; }

private:
    void Restart();

    UINT_PTR id_;
    int interval_ = 0;
    bool enabled_ = true;
    bool exact_ = false;
    bool running_ = false;
    bool firing_ = false;
};

}  // namespace platform::forms
