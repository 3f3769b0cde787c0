// Timer: raises Tick every Interval milliseconds while it is Enabled and its form is loaded
// (`Tricker.Tick = [this] { Tricker_Timer(); };`). Setting Interval or Enabled restarts the wait;
// Interval 0 stops it. A tick does not start again while its own handler is still running (for
// example while the handler shows a modal form).
#pragma once

#include "platform/forms/control.h"
#include "platform/window/window.h"

namespace platform::forms {

class Timer : public Control {
    int interval() const { return interval_; }
    void setInterval(int value);
    bool enabled() const { return enabled_; }
    void setEnabled(bool value);

public:
    Timer(ContainerRef container, std::string name, int index = -1);
    ~Timer() override;

    Prop<&Timer::interval, &Timer::setInterval> Interval{this};
    Prop<&Timer::enabled, &Timer::setEnabled> Enabled{this};

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
    bool running_ = false;
    bool firing_ = false;
};

}  // namespace platform::forms
